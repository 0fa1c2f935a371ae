"""The image benchmark, run by bench/run inside its Wine session: the screen bitmap of JPEG
photographs beside the bare GDI+ calls and beside ImageMagick doing the same crop and scale on
the same files, the thumbnails, and loading a full thumbnail store. Prints Markdown tables.

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


def run_image_bench(exe, runs, sources, work):
    result = subprocess.run(["wine", str(exe), str(runs), windows_path(work),
                             *map(windows_path, sources)],
                            capture_output=True, text=True, check=True)
    return [line.split("\t") for line in result.stdout.splitlines() if "\t" in line]


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
        print(f"| {name.split('-')[1].split('.')[0]} | {program:.0f} | {bare:.0f} "
              f"| {program / bare:.2f} |")

    print()
    print(f"WallpaperList::Load (target: under {LOAD_TARGET_MS} ms):")
    print()
    print("| thumbnails and data files | median ms | slowest ms |")
    print("|---|---:|---:|")
    for kind, entries, median, slowest in (l for l in lines if l[0] == "load"):
        print(f"| {entries} + {entries} | {float(median):.1f} | {float(slowest):.1f} |")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]))
