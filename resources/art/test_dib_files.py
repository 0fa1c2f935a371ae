"""Unit tests of the BMP and ICO writers: run with
/usr/bin/python3 -m unittest discover -s resources/art
"""

import io
import struct
import unittest

from PIL import Image

import dib_files


def _picture(size, pixels):
    image = Image.new("RGBA", size)
    image.putdata(pixels)
    return image


class BmpFileTest(unittest.TestCase):
    def test_odd_width_rows_are_padded_and_stored_bottom_up(self):
        # Three 24-bit pixels make 9 bytes, padded to 12.
        image = Image.new("RGB", (3, 2))
        image.putdata([(1, 2, 3), (4, 5, 6), (7, 8, 9), (10, 11, 12), (13, 14, 15), (16, 17, 18)])
        data = dib_files.bmp_file(image)
        self.assertEqual(len(data), 14 + 40 + 2 * 12)
        magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data)
        self.assertEqual((magic, size, offset), (b"BM", len(data), 54))
        self.assertEqual(data[54:66], bytes([12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0, 0]))
        self.assertEqual(list(Image.open(io.BytesIO(data)).getdata()), list(image.getdata()))

    def test_header_describes_an_uncompressed_24_bit_bitmap(self):
        data = dib_files.bmp_file(Image.new("RGB", (16, 16), (9, 9, 9)))
        header = struct.unpack_from("<IiiHHIIiiII", data, 14)
        self.assertEqual(header, (40, 16, 16, 1, 24, 0, 768, 2835, 2835, 0, 0))


class IconImageTest(unittest.TestCase):
    def test_24_bit_image_has_double_height_header_colours_and_mask(self):
        clear, red = (50, 60, 70, 0), (255, 0, 0, 255)
        image = _picture((2, 2), [red, clear, clear, red])
        blob = dib_files.icon_image_24(image)
        header = struct.unpack_from("<IiiHHI", blob)
        self.assertEqual(header, (40, 2, 4, 1, 24, 0))
        colour, mask = blob[40:56], blob[56:]
        # Bottom row first, rows padded to 8 bytes; a transparent pixel is black so that
        # XOR leaves the screen as it is.
        self.assertEqual(colour, bytes([0, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 0]))
        self.assertEqual(mask, bytes([0b10000000, 0, 0, 0, 0b01000000, 0, 0, 0]))

    def test_partly_covered_pixels_show_from_half_coverage(self):
        image = _picture((4, 1), [(9, 9, 9, a) for a in (1, 127, 128, 255)])
        mask = dib_files.icon_image_24(image)[40 + 12:]
        self.assertEqual(mask, bytes([0b11000000, 0, 0, 0]))

    def test_8_bit_image_keeps_exact_colours_when_they_fit(self):
        colours = [(r, 255 - r, 7, 255) for r in range(0, 250, 10)]
        image = _picture((5, 5), colours)
        palette, indices = dib_files.palette_indices(image)
        self.assertEqual(len(palette), 256)
        self.assertEqual([palette[i] for i in indices], [c[:3] for c in colours])

    def test_8_bit_image_reduces_many_colours_and_keeps_transparent_pixels_black(self):
        pixels = [(x * 16, y * 16, (x * y) % 256, 255) for y in range(16) for x in range(16)]
        pixels += [(200, 100, 50, 0)] * 32
        image = _picture((16, 18), pixels)
        palette, indices = dib_files.palette_indices(image)
        self.assertEqual(len(palette), 256)
        self.assertTrue(all(i == dib_files.TRANSPARENT_INDEX for i in indices[256:]))
        self.assertEqual(palette[dib_files.TRANSPARENT_INDEX], (0, 0, 0))
        self.assertNotIn(dib_files.TRANSPARENT_INDEX, indices[:256])
        error = max(abs(a - b) for p, i in zip(pixels, indices[:256]) for a, b in zip(p, palette[i]))
        self.assertLess(error, 40)


class IcoFileTest(unittest.TestCase):
    def test_directory_entries_point_at_each_image(self):
        big = _picture((5, 5), [(0, 128, 255, 255)] * 24 + [(0, 0, 0, 0)])
        small = _picture((3, 3), [(255, 255, 0, 255)] * 9)
        data = dib_files.ico_file([(big, 8), (small, 24)])
        self.assertEqual(struct.unpack_from("<HHH", data), (0, 1, 2))
        offset = 6 + 2 * 16
        for n, (image, bits) in enumerate([(big, 8), (small, 24)]):
            entry = struct.unpack_from("<BBBBHHII", data, 6 + 16 * n)
            self.assertEqual(entry[:6], (image.width, image.height, 0, 0, 1, bits))
            self.assertEqual(entry[7], offset)
            self.assertEqual(struct.unpack_from("<iiHH", data, offset + 4),
                             (image.width, 2 * image.height, 1, bits))
            offset += entry[6]
        self.assertEqual(offset, len(data))

    def test_pillow_reads_back_the_pictures_and_their_transparency(self):
        pixels = [(x * 40, 200, y * 40, 0 if x == y else 255) for y in range(5) for x in range(5)]
        image = _picture((5, 5), pixels)
        for bits in (8, 24):
            with self.subTest(bits=bits):
                data = dib_files.ico_file([(image, bits)])
                read = Image.open(io.BytesIO(data)).convert("RGBA")
                self.assertEqual(list(read.getchannel("A").getdata()),
                                 [p[3] for p in pixels])
                shown = [r for r, p in zip(read.getdata(), pixels) if p[3]]
                self.assertEqual(shown, [p for p in pixels if p[3]])


if __name__ == "__main__":
    unittest.main()
