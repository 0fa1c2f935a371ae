#!/usr/bin/python3
"""Draws the program's icons, tray-menu bitmaps and page pictures into resources/.

    /usr/bin/python3 resources/art/draw_resources.py [--preview sheet.png]

Needs Pillow (Debian's python3-pil) and the DejaVu fonts (fonts-dejavu-core). Every run
writes the same bytes, so the committed pictures must equal a fresh run; the checks of their
formats, and of that, run with

    /usr/bin/python3 -m unittest discover -s resources/art

--preview also writes a sheet of every picture, magnified, on light and dark grounds.

  amainicon.ico     AMAINICON, the idle tray and program icon: a painter's palette.
                    40 x 40 at 256 colours first; also 32 x 32, the size LoadIconA picks,
                    and 16 x 16 for small views, both at 256 colours.
  downloadicon.ico  DOWNLOADICON, the busy tray icon: the palette under a green download
                    arrow. 24 x 24 at 24-bit colour first; also 32 x 32 for LoadIconA.
  comment.bmp       COMMENTBMP: a speech bubble.       losuj.bmp   LOSUJBMP: a red die.
  config.bmp        CONFIGBMP: a steel gear.           exit.bmp    EXITBMP: a power button.
                    The bitmaps are 16 x 16, 24-bit, on white.
  pages/*.png       The pictures that opcje.html and ostatnie.html show (page_art.py):
                    the background tlo2.png (745 x 425), the logo, titles, buttons and
                    labels, mostly 256-colour PNGs with alpha.
"""

import argparse
from pathlib import Path

import menu_glyphs
import page_art
from dib_files import bmp_file, ico_file
from emblem import busy_icon, idle_icon
from png_files import png_file
from preview import preview_sheet

RESOURCES = Path(__file__).resolve().parent.parent


def pictures():
    """Each picture's path in resources/ and its bytes."""
    pages = {"pages/" + name: png_file(picture, reduce=name not in page_art.SMOOTH)
             for name, picture in page_art.pictures().items()}
    return pages | {
        "amainicon.ico": ico_file([(idle_icon(40), 8), (idle_icon(32), 8), (idle_icon(16), 8)]),
        "downloadicon.ico": ico_file([(busy_icon(24), 24), (busy_icon(32), 24)]),
        "comment.bmp": bmp_file(menu_glyphs.speech_bubble()),
        "losuj.bmp": bmp_file(menu_glyphs.die()),
        "config.bmp": bmp_file(menu_glyphs.gear()),
        "exit.bmp": bmp_file(menu_glyphs.power_button()),
    }


def main():
    parser = argparse.ArgumentParser(
        description="Draw the program's icons, menu bitmaps and page pictures.")
    parser.add_argument("--preview", type=Path, help="also write a magnified sheet here (PNG)")
    args = parser.parse_args()
    for name, data in pictures().items():
        (RESOURCES / name).write_bytes(data)
    if args.preview:
        preview_sheet(RESOURCES).save(args.preview)


if __name__ == "__main__":
    main()
