"""Classic Windows BMP and ICO files (uncompressed DIBs), as windres and LoadImageA expect."""

import struct

from PIL import Image

INFO_HEADER_SIZE = 40
FILE_HEADER_SIZE = 14
ICON_DIR_SIZE = 6
ICON_ENTRY_SIZE = 16
BI_RGB = 0
PIXELS_PER_METRE = 2835  # 72 dpi
PALETTE_ENTRIES = 256
# Index of black in an 8-bit icon's palette: transparent pixels must be black in the
# colour image, because the screen is XORed with it where the AND mask is set.
TRANSPARENT_INDEX = 0


def _stride(row_bits):
    # DIB rows are padded to whole 32-bit words.
    return (row_bits + 31) // 32 * 4


def _info_header(width, height, bit_count, image_size):
    return struct.pack("<IiiHHIIiiII", INFO_HEADER_SIZE, width, height, 1, bit_count,
                       BI_RGB, image_size, PIXELS_PER_METRE, PIXELS_PER_METRE, 0, 0)


def _bottom_up(rows, stride):
    return b"".join(row.ljust(stride, b"\0") for row in reversed(rows))


def _bgr_rows(image):
    width, height = image.size
    data = image.convert("RGB").tobytes("raw", "BGR")
    return [data[y * width * 3:(y + 1) * width * 3] for y in range(height)]


def bmp_file(image):
    """A 24-bit bottom-up BMP file of an RGB picture."""
    width, height = image.size
    pixels = _bottom_up(_bgr_rows(image), _stride(width * 24))
    offset = FILE_HEADER_SIZE + INFO_HEADER_SIZE
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + _info_header(width, height, 24, len(pixels)) + pixels


def _opaque(image):
    """Per pixel, whether it shows: alpha of at least half."""
    return [a >= 128 for a in image.getchannel("A").getdata()]


def _and_mask(image):
    width, height = image.size
    opaque = _opaque(image)
    rows = []
    for y in range(height):
        bits = "".join("0" if opaque[y * width + x] else "1" for x in range(width))
        bits = bits.ljust(len(bits) + (-len(bits)) % 8, "0")
        rows.append(int(bits, 2).to_bytes(len(bits) // 8, "big"))
    return _bottom_up(rows, _stride(width))


def _icon_image(image, bit_count, palette, pixel_rows):
    width, height = image.size
    colour = _bottom_up(pixel_rows, _stride(width * bit_count))
    mask = _and_mask(image)
    # An icon's header counts the colour and mask images together in its height.
    header = _info_header(width, 2 * height, bit_count, len(colour) + len(mask))
    return header + palette + colour + mask


def icon_image_24(image):
    """A 24-bit icon image (header, colour image, AND mask) of an RGBA picture."""
    opaque = _opaque(image)
    rgb = Image.new("RGB", image.size)
    rgb.putdata([p[:3] if shown else (0, 0, 0)
                 for p, shown in zip(image.getdata(), opaque)])
    return _icon_image(image, 24, b"", _bgr_rows(rgb))


def palette_indices(image):
    """A 256-colour palette [(r, g, b)] and the palette index of each pixel.

    Opaque pixels keep their exact colours when there are at most 255 of them and
    are otherwise reduced by median cut; transparent pixels get TRANSPARENT_INDEX.
    """
    opaque = _opaque(image)
    shown = [p[:3] for p, o in zip(image.getdata(), opaque) if o]
    colours = sorted(set(shown))
    if len(colours) <= PALETTE_ENTRIES - 1:
        index_of = {c: i + 1 for i, c in enumerate(colours)}
        shown_indices = [index_of[c] for c in shown]
    else:
        strip = Image.new("RGB", (len(shown), 1))
        strip.putdata(shown)
        reduced = strip.quantize(PALETTE_ENTRIES - 1, method=Image.Quantize.MEDIANCUT,
                                 dither=Image.Dither.NONE)
        flat = reduced.getpalette()[:3 * (PALETTE_ENTRIES - 1)]
        colours = [tuple(flat[i:i + 3]) for i in range(0, len(flat), 3)]
        shown_indices = [i + 1 for i in reduced.getdata()]
    palette = [(0, 0, 0)] + colours
    palette += [(0, 0, 0)] * (PALETTE_ENTRIES - len(palette))
    remaining = iter(shown_indices)
    return palette, [next(remaining) if o else TRANSPARENT_INDEX for o in opaque]


def icon_image_8(image):
    """An 8-bit, 256-colour icon image (header, palette, colour image, AND mask)."""
    palette, indices = palette_indices(image)
    width, height = image.size
    table = b"".join(struct.pack("<BBBx", b, g, r) for r, g, b in palette)
    rows = [bytes(indices[y * width:(y + 1) * width]) for y in range(height)]
    return _icon_image(image, 8, table, rows)


def ico_file(images):
    """An ICO file of (picture, bit count) pairs, in the given order."""
    writers = {8: icon_image_8, 24: icon_image_24}
    blobs = [writers[bits](image) for image, bits in images]
    offset = ICON_DIR_SIZE + ICON_ENTRY_SIZE * len(images)
    entries = b""
    for (image, bits), blob in zip(images, blobs):
        width, height = image.size
        # Sizes of 256 are written as 0; colour counts of 256 and more are written as 0.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, bits,
                               len(blob), offset)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + entries + b"".join(blobs)
