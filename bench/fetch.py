"""Runs the fetch benchmark under the Wine session that bench/fetch.sh started.

Each case fetches the same body from the loopback server (plain http) a few times with curl,
with a bare WinINet read loop (the platform's floor under Wine: the program's request flags and
the case's own read size) and with the program's transfer, in turns. Times are the transfer
alone: curl's own time_total, and for the Windows side the time around the call, without Wine's
start-up. Memory: curl's maximum resident set; for the Windows side the rise of the peak working
set over the working set before the call. FetchImage must read 8192 bytes at a time; the bare
loop is also timed reading FetchImage's body 16384 bytes at a time, to show what the smaller
reads cost Wine.
"""
import re
import shutil
import statistics
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "net"))
from loopback_http_server import loopback_environment, start_server, stop_server  # noqa: E402

MB = 1048576
# name, fetch_bench mode, path, size, the transfer's read size
CASES = [
    ("FetchToFile", "file", "/body?size=52428800", 52428800, 16384),
    ("FetchImage", "image", "/body?kind=jpeg&size=10485760", 10485760, 8192),
]
CURL_TARGET = 1.5
BARE_GOAL = 1.3


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def run_curl(url, out, env):
    result = subprocess.run(
        ["/usr/bin/time", "-f", "maxrss_kb=%M", "curl", "-s", "-o", str(out),
         "-w", "%{time_total}", url],
        capture_output=True, text=True, env=env, check=True)
    rss_kb = int(re.search(r"maxrss_kb=(\d+)", result.stderr).group(1))
    return float(result.stdout), rss_kb / 1024


def run_bench(exe, mode, url, out, env, chunk=None):
    # FetchImage's trace goes to a file: Wine writes to a character device such as /dev/null
    # unbuffered, one call per line, which would be timed instead of the transfer.
    command = ["wine", str(exe), mode, url, windows_path(out)] + ([str(chunk)] if chunk else [])
    with open(out.with_suffix(".trace"), "w") as trace:
        result = subprocess.run(command, stdout=trace, stderr=subprocess.PIPE, text=True, env=env)
    line = re.search(r"ok=(\d) seconds=([\d.]+) start_mb=([\d.]+) peak_mb=([\d.]+)", result.stderr)
    if not line or line.group(1) != "1":
        raise SystemExit(f"fetch_bench {mode} failed: {result.stderr.strip()}")
    return float(line.group(2)), float(line.group(4)) - float(line.group(3))


def measure(runs, fetchers, out, size):
    """Each fetcher once a turn, runs turns; per fetcher (min, median, highest memory)."""
    samples = [[] for _ in fetchers]
    for _ in range(runs):
        for taken, fetch in zip(samples, fetchers):
            taken.append(fetch())
            if out.stat().st_size != size:
                raise SystemExit(f"{out} holds {out.stat().st_size} bytes, not {size}")
            out.unlink()
    return [(min(t for t, _ in taken), statistics.median(t for t, _ in taken),
             max(m for _, m in taken)) for taken in samples]


def mark(ratio, goal):
    return f"{ratio:.2f} ({'meets' if ratio <= goal else 'misses'} <= {goal})"


def main(exe, files, runs):
    files = Path(files)
    shutil.rmtree(files, ignore_errors=True)
    files.mkdir(parents=True)
    server = start_server()
    env = loopback_environment(server.port)
    rows = []
    try:
        for name, mode, path, size, chunk in CASES:
            url = f"http://127.0.0.1:{server.port}{path}"
            out = files / "body.bin"
            fetchers = [lambda: run_curl(url, out, env),
                        lambda: run_bench(exe, "bare", url, out, env, chunk),
                        lambda: run_bench(exe, mode, url, out, env)]
            if chunk != 16384:
                fetchers.append(lambda: run_bench(exe, "bare", url, out, env, 16384))
            rows.append((name, size, chunk, measure(runs, fetchers, out, size)))
    finally:
        stop_server(server)
        shutil.rmtree(files, ignore_errors=True)

    print(f"HTTP transfers over plain http on loopback, {runs} runs each in turns; seconds "
          f"(min / median), memory in MB:")
    print()
    print("| case | size | read size | curl | bare WinINet | ours | memory rise, ours "
          f"| ours / curl (median, target {CURL_TARGET}) | ours / bare (median, goal {BARE_GOAL}) |")
    print("|---|---|---:|---|---|---|---:|---:|---:|")
    for name, size, chunk, (curl, bare, ours, *_) in rows:
        print(f"| `{name}` | {size / MB:.0f} MiB | {chunk} | {curl[0]:.3f} / {curl[1]:.3f} "
              f"| {bare[0]:.3f} / {bare[1]:.3f} | {ours[0]:.3f} / {ours[1]:.3f} | {ours[2]:.1f} MB "
              f"| {ours[1] / curl[1]:.2f} | {mark(ours[1] / bare[1], BARE_GOAL)} |")
    print()
    for name, size, chunk, (curl, bare, ours, *wide) in rows:
        if wide:
            wide = wide[0]
            print(f"{name}'s body read by the bare loop 16384 bytes at a time: {wide[0]:.3f} / "
                  f"{wide[1]:.3f} s; its {chunk}-byte reads cost Wine {bare[1] / wide[1]:.2f} x "
                  f"that; ours / that loop {ours[1] / wide[1]:.2f}.")
        print(f"{name}: bare WinINet / curl {bare[1] / curl[1]:.2f} (medians).")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]))
