"""Soak: one running copy makes 200 wallpaper changes in a row against the stand-in service
(numbers, pools, links, names stored before, service faults among them), then still answers, has
not grown in handles, GDI and USER objects or private memory, and keeps exactly its listed pairs
of data file and thumbnail."""
import subprocess
import time
import unittest
from pathlib import Path

from harness import (ServiceTestCase, Program, TRAY_CLASS, TRAY_TITLE, WM_REMOTE_COMMAND,
                     data_folder, driver, thumbnails_folder, wait_for_tray_window,
                     wait_until_idle, write_config)

CHANGES = 200
BASELINE_AFTER = 20
# The smaller pictures, so that 200 conversions under Wine take a few minutes.
IDS = [12346, 12348, 12349, 12351]
# What the copy may gain after its first changes: a few handles and objects of caches, and
# memory that the heap keeps.
MARGINS = {"handles": 25, "gdi": 15, "user": 15, "private": 24 << 20}
# A fault and the requests it hits (None: selection answers, its only ones).
FAULTS = [("http_500", "image"), ("damaged", "image"), ("not_image", "image"), ("empty", "select"),
          ("http_500", "select"), ("no_id", None), ("empty", "report")]


def program_anonymous_memory():
    """RssAnon of the program's Wine process, in bytes."""
    pids = subprocess.run(["pgrep", "-f", r"kolorowisko\.exe"], capture_output=True,
                          text=True).stdout.split()
    for pid in pids:
        status = Path(f"/proc/{pid}/status").read_text()
        for line in status.splitlines():
            if line.startswith("RssAnon:"):
                return int(line.split()[1]) * 1024
    return 0


class Soak(ServiceTestCase):

    def send(self, message, wparam, lparam):
        answer = driver("send", TRAY_CLASS, TRAY_TITLE, message, wparam, lparam, timeout=120)
        self.assertIsNotNone(answer, f"change {self.done}: the program does not answer")

    def figures(self):
        answer = driver("resources", TRAY_CLASS, TRAY_TITLE)
        self.assertIsNotNone(answer, "no figures")
        figures = {name: int(value) for name, value in (line.split() for line in answer.splitlines())}
        if figures["private"] == 0:
            # Wine does not count a process's private bytes; its anonymous resident memory, as
            # Linux counts it, stands in.
            figures["private"] = program_anonymous_memory()
        return figures

    def change(self, step):
        """The step-th change: mostly wallpapers by number (each stored once, then reused), every
        fifth from a pool, every seventh a link, every eleventh hit by a fault."""
        if step % 11 == 10:
            name, scope = FAULTS[(step // 11) % len(FAULTS)]
            self.service.set_fault(name, count=1, **({"scope": scope} if scope else {}))
        if step % 7 == 6:
            link = self.service.file_url(["small.png", "small.jpg", "small.bmp"][step % 3])
            answer = driver("copydata", TRAY_CLASS, TRAY_TITLE, link, timeout=120)
            self.assertIsNotNone(answer, f"change {step}: the program does not answer")
        elif step % 5 == 4:
            # From all wallpapers, the service's answer chosen among the smaller ones.
            self.choose_next(IDS[step % len(IDS)])
            self.send(WM_REMOTE_COMMAND, 0, -1)
        else:
            self.send(WM_REMOTE_COMMAND, 0, IDS[step % len(IDS)])
        self.service.clear_faults()
        self.done = step + 1

    def test_two_hundred_changes(self):
        write_config({"AUTO_CHANGE": "NO"})
        self.done = 0
        program = Program(timeout_ms=1800000)
        self.assertTrue(wait_for_tray_window(), "no tray window")
        self.assertTrue(wait_until_idle(), "the program does not answer")
        started = time.monotonic()
        for step in range(BASELINE_AFTER):
            self.change(step)
        baseline = self.figures()
        for step in range(BASELINE_AFTER, CHANGES):
            self.change(step)
        self.assertTrue(wait_until_idle(), "the program does not answer after the changes")
        after = self.figures()
        seconds = time.monotonic() - started

        print(f"\n{CHANGES} changes in {seconds:.0f} s; after {BASELINE_AFTER} -> after {CHANGES}:")
        for name in MARGINS:
            print(f"  {name:8} {baseline[name]:>12} -> {after[name]:>12}")
        for name, margin in MARGINS.items():
            with self.subTest(name):
                if baseline[name] == 0 and after[name] == 0:
                    # A platform gap, said, not passed over: Wine answers 0 for these counts.
                    self.skipTest(f"{name}: not counted under Wine")
                self.assertLessEqual(after[name], baseline[name] + margin)

        data = {p.name.lower() for p in data_folder().iterdir()} - {"wall.bmp", "custom.jpg"}
        thumbnails = {p.name.lower() for p in thumbnails_folder().iterdir()}
        self.assertEqual(data, thumbnails)
        self.assertLessEqual({f"{i}.jpg" for i in IDS}, data)
        self.assertFalse([name for name in data | thumbnails if name.endswith(".tmp")])
        self.assertEqual(program.stop(), 0)


if __name__ == "__main__":
    unittest.main()
