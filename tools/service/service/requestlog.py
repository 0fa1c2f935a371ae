"""The record of every request, kept in memory and written as JSON lines."""

import json
import threading
import time
from datetime import datetime, timezone


class RequestLog:
    def __init__(self, path=None):
        self._lock = threading.Lock()
        self._changed = threading.Condition(self._lock)
        self._entries = []
        self._count = 0  # numbers stay unique across clear()
        # A new run starts a new log, so a test never reads an earlier run's requests.
        self._file = open(path, "w", encoding="utf-8") if path else None

    def record(self, **fields):
        now = time.time()
        with self._lock:
            self._count += 1
            entry = {"seq": self._count,
                     "time": datetime.fromtimestamp(now, timezone.utc).isoformat(
                         timespec="microseconds").replace("+00:00", "Z"),
                     **fields}
            self._entries.append(entry)
            if self._file:
                self._file.write(json.dumps(entry, ensure_ascii=False) + "\n")
                self._file.flush()
            self._changed.notify_all()
        return entry

    def entries(self):
        with self._lock:
            return list(self._entries)

    def wait_for(self, matches, timeout):
        """The first entry for which matches(entry) is true, waiting up to timeout seconds."""
        deadline = time.monotonic() + timeout
        with self._lock:
            while True:
                found = next((e for e in self._entries if matches(e)), None)
                left = deadline - time.monotonic()
                if found or left <= 0:
                    return found
                self._changed.wait(left)

    def clear(self):
        with self._lock:
            self._entries.clear()
            if self._file:
                self._file.seek(0)
                self._file.truncate()

    def close(self):
        with self._lock:
            if self._file:
                self._file.close()
                self._file = None
