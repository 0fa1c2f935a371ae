"""The running copy as a user meets it, run by bench/run inside its Wine session against the
stand-in wallpaper service on loopback: one whole wallpaper change beside the sum of its bare parts
measured in the same run, start-up and a second copy's hand-off beside a trivial tray program, and
a minute of idle beside the same trivial program. Prints Markdown tables.

    program.py <program_bench.exe> <folder of its own> <runs>

The build's service hosts come from KOLOROWISKO_SERVICE_HOST and KOLOROWISKO_REPORT_HOST
("127.0.0.1:port", set by bench/run); the stand-in service listens there.
"""
import os
import pwd
import re
import shutil
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tools" / "service"))
from service import StandInService  # noqa: E402

TRAY = ("KolorowiskoMainWindow", "KolorowiskO")
TRIVIAL = ("KolorowiskoBenchTrivialTray", "KolorowiskoBenchTrivialTray")
WM_CLOSE = 0x0010
WM_REMOTE_COMMAND = 1144
WM_STOP_REQUEST = 1148
# The service's largest picture (4000x3000), changed to from a fresh store in every run; and a
# small one (1024x768) that warms the copy up first and is then handed off, already stored.
LARGE = 12350
SMALL = 12351
# A number the service does not know: one loopback request that fails and changes nothing.
# Without an argument the copy would open its settings window, which Wine cannot show.
START_ARGUMENT = "0"
PICTURE_BYTES = 4 << 20
SETTLE_SECONDS = 5
IDLE_SECONDS = 60


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def app_folder():
    user = pwd.getpwuid(os.getuid()).pw_name
    return Path(os.environ["WINEPREFIX"]) / "drive_c" / "users" / user / "AppData" / "Local" / "kolorowisko"


class Bench:
    """Runs program_bench commands; each answers its milliseconds."""

    def __init__(self, exe, folder):
        self.exe = exe
        self.output = folder / "program_bench.out"

    def __call__(self, *args):
        # Into a file, not a pipe: a program that the command starts may keep its output open.
        with open(self.output, "w+") as output:
            status = subprocess.run(["wine", str(self.exe), *map(str, args)], stdout=output,
                                    stderr=subprocess.STDOUT, timeout=300).returncode
            output.seek(0)
            text = output.read()
        answer = re.search(r"^ms ([\d.]+)$", text, re.MULTILINE)
        if status != 0 or not answer:
            raise SystemExit(f"program_bench {' '.join(map(str, args))} failed: {text.strip()}")
        return float(answer.group(1))


def wine_process(name):
    """The Linux process id of this Wine session's process whose program is named so."""
    prefix = b"WINEPREFIX=" + os.environ["WINEPREFIX"].encode()
    for entry in Path("/proc").iterdir():
        try:
            program = (entry / "cmdline").read_bytes().split(b"\0")[0]
            environment = (entry / "environ").read_bytes().split(b"\0")
        except (OSError, ValueError):
            continue
        if re.split(rb"[\\/]", program)[-1].lower().startswith(name) and prefix in environment:
            return int(entry.name)
    raise SystemExit(f"no process {name!r} in this Wine session")


def thread_counters(pid):
    """For each thread of the process: nanoseconds on a CPU and context switches."""
    threads = {}
    for task in Path(f"/proc/{pid}/task").iterdir():
        try:
            cpu_ns = int((task / "schedstat").read_text().split()[0])
            status = (task / "status").read_text()
        except OSError:
            continue  # a thread that ended meanwhile
        switches = re.findall(r"^(?:non)?voluntary_ctxt_switches:\s+(\d+)", status, re.MULTILINE)
        threads[task.name] = (cpu_ns, sum(map(int, switches)))
    return threads


def anonymous_mb(pid):
    """What Linux counts as the process's own resident memory; Wine reports no private bytes."""
    status = Path(f"/proc/{pid}/status").read_text()
    return int(re.search(r"^RssAnon:\s+(\d+)", status, re.MULTILINE).group(1)) / 1024


def idle_minute(program):
    """Over IDLE_SECONDS, of the program's process and of the session's wineserver: CPU ms and
    context switches of all their threads, and the program's anonymous memory at the end. Read
    every second, so that a thread that ends during the minute still counts until then."""
    processes = [wine_process(program), wine_process(b"wineserver")]
    first = [thread_counters(pid) for pid in processes]
    last = [dict(threads) for threads in first]
    for _ in range(IDLE_SECONDS):
        time.sleep(1)
        for seen, pid in zip(last, processes):
            seen.update(thread_counters(pid))
    figures = []
    for before, after in zip(first, last):
        cpu_ns = switches = 0
        for thread, (cpu, count) in after.items():
            start = before.get(thread, (0, 0))
            cpu_ns, switches = cpu_ns + cpu - start[0], switches + count - start[1]
        figures += [cpu_ns / 1e6, switches]
    return figures[:2] + [anonymous_mb(processes[0])] + figures[2:]


def fresh_store():
    for name in ("data", "thumbnails"):
        shutil.rmtree(app_folder() / name, ignore_errors=True)


def check_changed(since, wallpaper_id):
    config = (app_folder() / "config.dat").read_bytes().decode("cp1250")
    applied = (app_folder() / "data" / "wall.bmp").stat().st_mtime >= since
    if not applied or f"CURRENT_ID={wallpaper_id}\r\n" not in config:
        raise SystemExit(f"the change to {wallpaper_id} was not applied")
    if not (app_folder() / "thumbnails" / f"{wallpaper_id}.jpg").exists():
        raise SystemExit(f"no thumbnail of {wallpaper_id}")


def start_copy(bench, program, service):
    """Starts a copy, which answers before its start-up request has ended; returns once the copy
    has logged the end of it. The service pads no picture meanwhile, so that the request fails
    and no change of the start runs on into the ones measured after it."""
    log = app_folder() / "kolorowisko.log"

    def logged():
        return log.read_text(errors="replace").count(f" id {START_ARGUMENT}: ") if log.exists() else 0

    before = logged()
    service.clear_faults("oversized")
    started = bench("start", program, START_ARGUMENT, *TRAY)
    deadline = time.time() + 30
    while logged() == before:
        if time.time() > deadline:
            raise SystemExit("the copy never logged the end of its start-up request")
        time.sleep(0.05)
    # Padded with comment segments to the size of a photograph of that many pixels: the fetch
    # moves a photograph's bytes, the decoder skips them.
    service.set_fault("oversized", bytes=PICTURE_BYTES)
    return started


def copy_runs(bench, program, trivial, runs, service):
    """Each run: a copy started on a fresh store, warmed up by one small change, then the whole
    change to the large picture, the small one again sent directly and handed off by a second
    copy; and the trivial program started. The last copy is left running."""
    samples = {key: [] for key in ("start", "whole", "direct", "handoff", "trivial")}
    for run in range(runs):
        if run:
            bench("stop", *TRAY, WM_STOP_REQUEST)
        fresh_store()
        samples["start"].append(start_copy(bench, program, service))
        bench("send", *TRAY, WM_REMOTE_COMMAND, 0, SMALL)
        since = time.time()
        samples["whole"].append(bench("send", *TRAY, WM_REMOTE_COMMAND, 0, LARGE))
        check_changed(since, LARGE)
        samples["direct"].append(bench("send", *TRAY, WM_REMOTE_COMMAND, 0, SMALL))
        samples["handoff"].append(bench("handoff", program, SMALL))
        check_changed(since, SMALL)
        samples["trivial"].append(bench("start", trivial, "-", *TRIVIAL))
        bench("stop", *TRIVIAL, WM_CLOSE)
    return {key: statistics.median(values) for key, values in samples.items()}


def curl_ms(url, output, runs):
    """curl's own transfer time (time_total), without its process start; the median."""
    times = [float(subprocess.run(["curl", "-s", "-f", "-o", str(output), "-w", "%{time_total}", url],
                                  capture_output=True, text=True, check=True).stdout) * 1000
             for _ in range(runs)]
    return statistics.median(times)


def bare_parts(image_bench, picture, work, runs):
    """The conversion and thumbnail rows of image_bench for the picture: (program ms, bare ms)."""
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    lines = subprocess.run(["wine", str(image_bench), str(runs), windows_path(work),
                            windows_path(picture)],
                           capture_output=True, text=True, check=True).stdout.splitlines()
    rows = {fields[0]: fields[-2:] for fields in (line.split("\t") for line in lines)}
    return {kind: tuple(map(float, rows[kind])) for kind in ("convert", "thumbnail")}


def print_change(copy, curl, parts, picture):
    bare = curl + parts["convert"][1] + parts["thumbnail"][1]
    size = picture.stat().st_size / 1048576
    print(f"Whole change to {LARGE} (4000x3000 JPEG, {size:.1f} MiB) in the running copy, from the "
          f"remote command to done, beside its bare parts measured in the same run; medians, in ms:")
    print()
    print("| step | ms | share of the whole |")
    print("|---|---:|---:|")
    for name, ms in [(f"whole change (SendMessage of {WM_REMOTE_COMMAND} returned)", copy["whole"]),
                     ("curl fetching the same URL", curl),
                     ("bare GDI+ conversion to the screen bitmap", parts["convert"][1]),
                     ("bare GDI+ thumbnail", parts["thumbnail"][1]),
                     ("sum of the bare parts", bare)]:
        print(f"| {name} | {ms:.0f} | {ms / copy['whole']:.0%} |")
    print()
    print(f"whole / sum of the bare parts: {copy['whole'] / bare:.2f}; the program's own "
          f"ConvertToScreenBitmap {parts['convert'][0]:.0f} ms and MakeThumbnail "
          f"{parts['thumbnail'][0]:.0f} ms in the same run")


def print_start(copy):
    print()
    print(f"Start-up and hand-off under Wine, started from a Windows process (CreateProcess); "
          f"medians, in ms:")
    print()
    print("| what | ms | against | ms | ratio |")
    print("|---|---:|---|---:|---:|")
    print(f"| start-up until the tray window answers (argument {START_ARGUMENT}) "
          f"| {copy['start']:.0f} | trivial tray program, the same | {copy['trivial']:.0f} "
          f"| {copy['start'] / copy['trivial']:.2f} |")
    print(f"| second copy with {SMALL} (stored), start until it exits | {copy['handoff']:.0f} "
          f"| the same command sent directly | {copy['direct']:.0f} "
          f"| {copy['handoff'] / copy['direct']:.2f} |")
    own = copy["handoff"] - copy["direct"]
    print(f"| the second copy's own share (difference) | {own:.0f} | trivial program's start-up "
          f"| {copy['trivial']:.0f} | {own / copy['trivial']:.2f} |")


def print_idle(ours, trivial):
    print()
    print(f"Idle for {IDLE_SECONDS} s (after {SETTLE_SECONDS} s to settle): the Wine process of "
          f"each program, all its threads, and the session's wineserver over the same minute:")
    print()
    print("| program | CPU ms | context switches | RssAnon MB | wineserver CPU ms "
          "| wineserver switches |")
    print("|---|---:|---:|---:|---:|---:|")
    for name, figures in [("running copy, after its changes", ours), ("trivial tray program", trivial)]:
        cpu, switches, memory, server_cpu, server_switches = figures
        print(f"| {name} | {cpu:.1f} | {switches} | {memory:.1f} | {server_cpu:.1f} "
              f"| {server_switches} |")
    ratios = [f"{a / b:.2f}" if b else "no base" for a, b in zip(ours, trivial)]
    print("| ratio | " + " | ".join(ratios) + " |")


def main(exe, folder, runs):
    exe, folder = Path(exe), Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    program = exe.parent.parent / "app" / "kolorowisko.exe"
    trivial = exe.parent / "trivial_tray.exe"
    bench = Bench(exe, folder)
    service = StandInService.for_hosts(os.environ["KOLOROWISKO_SERVICE_HOST"],
                                       os.environ["KOLOROWISKO_REPORT_HOST"],
                                       cache_dir=folder / "service-cache").start()
    try:
        copy = copy_runs(bench, windows_path(program), windows_path(trivial), runs, service)
        time.sleep(SETTLE_SECONDS)
        ours = idle_minute(b"kolorowisko.exe")
        bench("stop", *TRAY, WM_STOP_REQUEST)

        bench("start", windows_path(trivial), "-", *TRIVIAL)
        time.sleep(SETTLE_SECONDS)
        trivial_idle = idle_minute(b"trivial_tray.exe")
        bench("stop", *TRIVIAL, WM_CLOSE)

        picture = folder / f"{LARGE}.jpg"
        curl = curl_ms(service.url(f"/program/pobierz_jpeg.php?id={LARGE}"), picture, runs)
        parts = bare_parts(exe.parent / "image_bench.exe", picture, folder / "parts", runs)
    finally:
        service.stop()

    print_change(copy, curl, parts, picture)
    print_start(copy)
    print_idle(ours, trivial_idle)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]))
