"""The image benchmark, run by bench/run inside its Wine session: the screen bitmap of JPEG
photographs beside the bare GDI+ calls and beside ImageMagick doing the same crop and scale on
the same files, the thumbnails, loading a full thumbnail store, and the wallpaper of two monitors
(1920x1080 and 1280x1024 to its right, stood in for the program) beside one, and its re-fit after
a display change beside the bare GDI+ calls. Prints Markdown tables.

    image.py <image_bench.exe> <folder for the photographs and the work> <runs>
"""
import shutil
import statistics
import subprocess
import sys
import time
from pathlib import Path

SOURCES = [(1000, 1000), (4000, 3000), (7680, 4320)]
LOAD_TARGET_MS = 100
OVERHEAD_TARGET = 0.10
TWO_SCREENS_GOAL = 1.25
REFIT_GOAL = 1.10
CHANGES = {"stored": "`ApplyDesktopImage` of the stored file",
           "decoded": "`ShowOnEveryScreen` of the decoded picture"}


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def photographs(folder):
    """Photograph-like JPEGs (blurred plasma), made once and kept between runs."""
    folder.mkdir(parents=True, exist_ok=True)
    paths = []
    for width, height in SOURCES:
        path = folder / f"photo-{width}x{height}.jpg"
        if not path.exists():
            subprocess.run(["convert", "-seed", "7", "-size", f"{width}x{height}", "plasma:fractal",
                            "-blur", "0x2", "-quality", "90", str(path)], check=True)
        paths.append(path)
    return paths


def run_image_bench(exe, runs, sources, work, *mode):
    result = subprocess.run(["wine", str(exe), *mode, str(runs), windows_path(work),
                             *map(windows_path, sources)],
                            capture_output=True, text=True)
    if result.returncode != 0:
        raise SystemExit(f"image_bench {' '.join(mode)} failed: {result.stderr.strip()}")
    return [line.split("\t") for line in result.stdout.splitlines() if "\t" in line]


def size_of(name):
    return name.split("-")[1].split(".")[0]


def verdict(ratio, goal):
    return f"{ratio:.2f} ({'meets' if ratio <= goal else 'misses'} <= {goal:.2f})"


def print_screens(lines, runs):
    one, two = next(l[1:] for l in lines if l[0] == "layout")
    print(f"Wallpaper of several screens: one is \"{one}\", two are \"{two}\" (the bitmap's "
          f"size last); medians of {runs} runs in turns, in ms:")
    print()
    print(f"| source | change | one screen | two screens | two / one (goal {TWO_SCREENS_GOAL}) |")
    print("|---|---|---:|---:|---:|")
    for _, name, kind, one_ms, two_ms in (l for l in lines if l[0] == "change"):
        one_ms, two_ms = float(one_ms), float(two_ms)
        print(f"| {size_of(name)} | {CHANGES[kind]} | {one_ms:.0f} | {two_ms:.0f} "
              f"| {verdict(two_ms / one_ms, TWO_SCREENS_GOAL)} |")
    print()
    print(f"Re-fit to the two screens after a display change, beside the bare GDI+ calls (load, "
          f"the bitmap, each monitor's centre crop, BMP save), medians of {runs} runs in turns, "
          f"in ms:")
    print()
    print(f"| source | `RefitWallpaperToScreens` | bare GDI+ calls | program / bare (goal "
          f"{REFIT_GOAL}) |")
    print("|---|---:|---:|---:|")
    for _, name, program, bare in (l for l in lines if l[0] == "refit"):
        program, bare = float(program), float(bare)
        print(f"| {size_of(name)} | {program:.0f} | {bare:.0f} | {verdict(program / bare, REFIT_GOAL)} |")
    print()
    print(f"Steps of a change, each timed alone, medians of {runs} runs, in ms:")
    print()
    print("| source | step | one screen | two screens | two - one |")
    print("|---|---|---:|---:|---:|")
    for _, name, step, one_ms, two_ms in (l for l in lines if l[0] == "part"):
        one_ms, two_ms = float(one_ms), float(two_ms)
        if one_ms < 0:
            print(f"| {size_of(name)} | {step} | (none) | {two_ms:.0f} | {two_ms:.0f} |")
        else:
            print(f"| {size_of(name)} | {step} | {one_ms:.0f} | {two_ms:.0f} | {two_ms - one_ms:+.0f} |")


def imagemagick_ms(runs, source, crop, screen, output):
    """The median time of ImageMagick's crop and bicubic (Catmull-Rom) scale to a BMP file."""
    x, y, width, height = crop.split(",")
    command = ["convert", str(source), "-crop", f"{width}x{height}+{x}+{y}", "+repage",
               "-filter", "Catrom", "-resize", f"{screen[0]}x{screen[1]}!", f"BMP3:{output}"]
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, check=True)
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times)


def main(exe, folder, runs):
    folder = Path(folder)
    sources = photographs(folder / "images")
    work = folder / "work"
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    lines = run_image_bench(exe, runs, sources, work)
    screen = next((int(l[1]), int(l[2])) for l in lines if l[0] == "screen")
    by_name = {path.name: path for path in sources}

    print(f"Screen bitmap ({screen[0]}x{screen[1]}), median of {runs} runs, in ms:")
    print()
    print("| source | crop | ConvertToScreenBitmap | bare GDI+ calls | program's overhead "
          "| ImageMagick | program / ImageMagick |")
    print("|---|---|---:|---:|---:|---:|---:|")
    for kind, name, size, crop, program, bare in (l for l in lines if l[0] == "convert"):
        program, bare = float(program), float(bare)
        magick = imagemagick_ms(runs, by_name[name], crop, screen, work / "imagemagick.bmp")
        overhead = program / bare - 1
        mark = "" if overhead < OVERHEAD_TARGET else " (over 10%)"
        print(f"| {size} | {crop} | {program:.0f} | {bare:.0f} | {overhead:+.1%}{mark} "
              f"| {magick:.0f} | {program / magick:.2f} |")

    print()
    print(f"MakeThumbnail (120x100 JPEG) beside the bare GDI+ calls, median of {runs} runs, in ms:")
    print()
    print("| source | MakeThumbnail | bare GDI+ calls | program / bare |")
    print("|---|---:|---:|---:|")
    for kind, name, program, bare in (l for l in lines if l[0] == "thumbnail"):
        program, bare = float(program), float(bare)
        print(f"| {size_of(name)} | {program:.0f} | {bare:.0f} "
              f"| {program / bare:.2f} |")

    print()
    print(f"WallpaperList::Load (target: under {LOAD_TARGET_MS} ms):")
    print()
    print("| thumbnails and data files | median ms | slowest ms |")
    print("|---|---:|---:|")
    for kind, entries, median, slowest in (l for l in lines if l[0] == "load"):
        print(f"| {entries} + {entries} | {float(median):.1f} | {float(slowest):.1f} |")

    print()
    screens_work = folder / "screens"
    shutil.rmtree(screens_work, ignore_errors=True)
    screens_work.mkdir(parents=True)
    print_screens(run_image_bench(exe, runs, sources, screens_work, "screens"), runs)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]))
