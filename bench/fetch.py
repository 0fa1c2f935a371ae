"""Runs the fetch benchmark under the Wine session that bench/fetch.sh started.

Each case fetches the same body from the loopback server a few times with curl, with a bare
WinINet read loop (the platform's floor under Wine) and with the program's transfer. Times are
the transfer alone: curl's own time_total, and for the Windows side the time around the call,
without Wine's start-up. Memory: curl's maximum resident set; for the Windows side the rise of
the peak working set over the working set before the call.
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
CASES = [
    ("FetchToFile", "file", "/body?size=52428800", 52428800),
    ("FetchImage", "image", "/body?kind=jpeg&size=10485760", 10485760),
]


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def run_curl(url, out, env):
    result = subprocess.run(
        ["/usr/bin/time", "-f", "maxrss_kb=%M", "curl", "-s", "-o", str(out),
         "-w", "%{time_total}", url],
        capture_output=True, text=True, env=env, check=True)
    rss_kb = int(re.search(r"maxrss_kb=(\d+)", result.stderr).group(1))
    return float(result.stdout), rss_kb / 1024


def run_bench(exe, mode, url, out, env):
    # FetchImage's trace goes to a file: Wine writes to a character device such as /dev/null
    # unbuffered, one call per line, which would be timed instead of the transfer.
    with open(out.with_suffix(".trace"), "w") as trace:
        result = subprocess.run(["wine", str(exe), mode, url, windows_path(out)],
                                stdout=trace, stderr=subprocess.PIPE, text=True, env=env)
    line = re.search(r"ok=(\d) seconds=([\d.]+) start_mb=([\d.]+) peak_mb=([\d.]+)", result.stderr)
    if not line or line.group(1) != "1":
        raise SystemExit(f"fetch_bench {mode} failed: {result.stderr.strip()}")
    return float(line.group(2)), float(line.group(4)) - float(line.group(3))


def measure(runs, fetch, out, size):
    samples = [fetch() for _ in range(runs)]
    if out.stat().st_size != size:
        raise SystemExit(f"{out} holds {out.stat().st_size} bytes, not {size}")
    out.unlink()
    times = [seconds for seconds, _ in samples]
    return min(times), statistics.median(times), max(memory for _, memory in samples)


def main(exe, files, runs):
    files = Path(files)
    shutil.rmtree(files, ignore_errors=True)
    files.mkdir(parents=True)
    server = start_server()
    env = loopback_environment(server.port)
    try:
        print(f"{runs} runs each; times in seconds (min / median), memory in MB")
        print(f"{'case':<12} {'size':>7} | {'curl':>13} {'mem':>5} | {'bare WinINet':>13} "
              f"{'rise':>5} | {'ours':>13} {'rise':>5} | ours/curl ours/bare")
        for name, mode, path, size in CASES:
            url = f"http://127.0.0.1:{server.port}{path}"
            out = files / "body.bin"
            curl = measure(runs, lambda: run_curl(url, out, env), out, size)
            bare = measure(runs, lambda: run_bench(exe, "bare", url, out, env), out, size)
            ours = measure(runs, lambda: run_bench(exe, mode, url, out, env), out, size)
            cells = " | ".join(f"{low:6.3f}/{mid:6.3f} {memory:5.1f}"
                               for low, mid, memory in (curl, bare, ours))
            print(f"{name:<12} {size / MB:4.0f} MB | {cells} | {ours[1] / curl[1]:9.2f} "
                  f"{ours[1] / bare[1]:9.2f}")
    finally:
        stop_server(server)
        shutil.rmtree(files, ignore_errors=True)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]))
