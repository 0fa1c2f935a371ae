"""Checks the committed icons, menu bitmaps and page pictures in resources/: the formats that
windres, LoadIconA and LoadImageA expect, that every picture the pages name is drawn and
compiled in, and that they are what draw_resources.py draws now.
Run with /usr/bin/python3 -m unittest discover -s resources/art
"""

import functools
import re
import struct
import unittest
from pathlib import Path

from PIL import Image

import draw_resources

RESOURCES = Path(__file__).resolve().parent.parent
BITMAPS = ["comment.bmp", "losuj.bmp", "config.bmp", "exit.bmp"]


@functools.cache
def drawn_now():
    """What the script draws, drawn once for all the tests."""
    return draw_resources.pictures()


def _stride(row_bits):
    return (row_bits + 31) // 32 * 4


class IconImage:
    """One image of an ICO file, read straight from its bytes."""

    def __init__(self, data, entry):
        (self.width, self.height, self.colours, self.reserved, self.planes, self.bits,
         self.size, self.offset) = entry
        blob = data[self.offset:self.offset + self.size]
        self.header = struct.unpack_from("<IiiHHIIiiII", blob)
        entries = 256 if self.bits == 8 else 0
        table = struct.unpack_from("<%dB" % (4 * entries), blob, 40)
        self.palette = [(table[i + 2], table[i + 1], table[i]) for i in range(0, len(table), 4)]
        start = 40 + 4 * entries
        self.colour = blob[start:start + _stride(self.width * self.bits) * self.height]
        self.mask = blob[start + len(self.colour):]

    def _row(self, rows, stride, y):
        # Rows are stored bottom-up.
        offset = (self.height - 1 - y) * stride
        return rows[offset:offset + stride]

    def transparent(self, x, y):
        row = self._row(self.mask, _stride(self.width), y)
        return bool(row[x // 8] >> (7 - x % 8) & 1)

    def rgb(self, x, y):
        row = self._row(self.colour, _stride(self.width * self.bits), y)
        if self.bits == 8:
            return self.palette[row[x]]
        b, g, r = row[3 * x:3 * x + 3]
        return r, g, b


def read_icon(name):
    data = (RESOURCES / name).read_bytes()
    directory = struct.unpack_from("<HHH", data)
    entries = [struct.unpack_from("<BBBBHHII", data, 6 + 16 * i) for i in range(directory[2])]
    return data, directory, [IconImage(data, e) for e in entries]


class IconFileTest(unittest.TestCase):
    def check_icon(self, name, width, bits):
        data, directory, images = read_icon(name)
        self.assertEqual(directory[:2], (0, 1), "an ICO directory")
        first = images[0]
        self.assertEqual((first.width, first.height, first.bits), (width, width, bits),
                         "the required image comes first")
        end = 6 + 16 * len(images)
        for image in images:
            with self.subTest(name=name, size=image.width):
                self.assertEqual((image.colours, image.reserved, image.planes, image.bits),
                                 (0, 0, 1, bits))
                self.assertEqual(image.offset, end, "images follow the directory and each other")
                self.assertEqual(image.header[:6],
                                 (40, image.width, 2 * image.height, 1, bits, 0))
                palette = 4 * 256 if bits == 8 else 0
                rows = _stride(image.width * bits) + _stride(image.width)
                self.assertEqual(image.size, 40 + palette + rows * image.height)
                self.check_pixels(image)
                end += image.size
        self.assertEqual(end, len(data), "nothing after the last image")

    def check_pixels(self, image):
        pixels = [(x, y) for y in range(image.height) for x in range(image.width)]
        clear = [p for p in pixels if image.transparent(*p)]
        self.assertTrue(0 < len(clear) < len(pixels) // 2, "a picture on a clear ground")
        self.assertTrue(all(image.transparent(x, y) for x, y in [(0, 0), (image.width - 1, 0)]),
                        "clear top corners")
        self.assertEqual({image.rgb(*p) for p in clear}, {(0, 0, 0)},
                         "clear pixels are black, so that XOR leaves the screen as it is")

    def test_idle_icon_is_40_pixels_at_256_colours(self):
        self.check_icon("amainicon.ico", 40, 8)

    def test_busy_icon_is_24_pixels_at_24_bit_colour(self):
        self.check_icon("downloadicon.ico", 24, 24)

    def test_both_icons_offer_the_size_loadicon_picks(self):
        for name in ("amainicon.ico", "downloadicon.ico"):
            self.assertIn(32, [image.width for image in read_icon(name)[2]], name)

    def test_busy_icon_differs_from_idle_icon_at_tray_size(self):
        idle = [i for i in read_icon("amainicon.ico")[2] if i.width == 32][0]
        busy = [i for i in read_icon("downloadicon.ico")[2] if i.width == 32][0]
        pixels = [(x, y) for y in range(32) for x in range(32)]
        changed = sum(idle.rgb(*p) != busy.rgb(*p) or idle.transparent(*p) != busy.transparent(*p)
                      for p in pixels)
        self.assertGreater(changed, len(pixels) // 4)


class BitmapFileTest(unittest.TestCase):
    def test_menu_bitmaps_are_16_pixel_uncompressed_24_bit_bmps(self):
        for name in BITMAPS:
            with self.subTest(name=name):
                data = (RESOURCES / name).read_bytes()
                self.assertEqual(struct.unpack_from("<2sIHHI", data), (b"BM", 822, 0, 0, 54))
                self.assertEqual(struct.unpack_from("<IiiHHII", data, 14),
                                 (40, 16, 16, 1, 24, 0, 768))
                self.assertEqual(len(data), 822)

    def test_menu_bitmaps_have_a_uniform_ground_in_the_corners(self):
        for name in BITMAPS:
            with self.subTest(name=name):
                pixels = (RESOURCES / name).read_bytes()[54:]
                row = _stride(16 * 24)
                corners = {pixels[y * row + 3 * x:y * row + 3 * x + 3]
                           for x in (0, 15) for y in (0, 15)}
                self.assertEqual(len(corners), 1)


class PagePictureTest(unittest.TestCase):
    def test_pictures_the_pages_name_are_drawn_compiled_in_and_rebuilt_on_change(self):
        pages = RESOURCES / "pages"
        named = set()
        for page in ("opcje.html", "ostatnie.html"):
            named |= set(re.findall(r'(?:src="|url\()([\w.]+\.png)', (pages / page).read_text("utf-8")))
        drawn = {path.split("/")[1] for path in drawn_now() if path.startswith("pages/")}
        rc = (RESOURCES / "kolorowisko.rc").read_text("utf-8")
        compiled = {name.lower() for name, path in re.findall(r'^(\S+) 23 "pages/(\S+)"$', rc, re.M)
                    if name.lower() == path}
        cmake = (RESOURCES / "CMakeLists.txt").read_text("utf-8")
        listed = re.search(r"set\(page_pictures\s+([^)]*)\)", cmake).group(1).split()
        self.assertEqual(drawn, named)
        self.assertEqual(compiled, named | {"opcje.html", "ostatnie.html"})
        self.assertEqual({name + ".png" for name in listed}, named)

    def test_fixed_sizes(self):
        for name, size in [("tlo2.png", (745, 425)), ("po_zalogowaniu_u.png", (130, 122)),
                           ("po_zalogowaniu_d.png", (116, 129))]:
            with self.subTest(name=name), Image.open(RESOURCES / "pages" / name) as picture:
                self.assertEqual(picture.size, size)


class UpToDateTest(unittest.TestCase):
    def test_committed_pictures_are_what_the_script_draws(self):
        for name, data in drawn_now().items():
            with self.subTest(name=name):
                self.assertEqual((RESOURCES / name).read_bytes(), data,
                                 "run resources/art/draw_resources.py and commit its output")


if __name__ == "__main__":
    unittest.main()
