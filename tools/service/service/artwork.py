"""Draws the catalogue's wallpapers and the test pictures (needs PIL; only the cache uses this).

Every picture is a diagonal two-colour gradient with translucent shapes, a coloured square in each
corner (red top left, green top right, blue bottom left, yellow bottom right), a white ring and
cross with a red dot at the exact centre, and a label. Output depends only on the arguments.
"""

import io
import random

from PIL import Image, ImageChops, ImageDraw, ImageFont

CORNER_COLOURS = {"top_left": (255, 0, 0), "top_right": (0, 255, 0),
                  "bottom_left": (0, 0, 255), "bottom_right": (255, 255, 0)}
CENTRE_DOT = (220, 0, 0)


def _rgb(hex_colour):
    return tuple(int(hex_colour[i:i + 2], 16) for i in (1, 3, 5))


def _gradient(size, first, second):
    ramp = Image.linear_gradient("L")
    diagonal = ImageChops.add(ramp, ramp.rotate(90), scale=2.0).resize(size, Image.BILINEAR)
    return Image.composite(Image.new("RGB", size, second), Image.new("RGB", size, first), diagonal)


def _shapes(size, rng):
    width, height = size
    side = min(size)
    layer = Image.new("RGBA", size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(layer)
    for _ in range(14):
        radius = rng.randint(side // 20, side // 4)
        x, y = rng.randrange(width), rng.randrange(height)
        colour = (rng.randint(120, 255), rng.randint(120, 255), rng.randint(120, 255),
                  rng.randint(40, 110))
        draw.ellipse((x - radius, y - radius, x + radius, y + radius), fill=colour)
    for _ in range(4):
        points = [(rng.randrange(width), rng.randrange(height)) for _ in range(3)]
        draw.polygon(points, fill=(255, 255, 255, rng.randint(20, 45)))
    return layer


def _marks(image, label):
    width, height = image.size
    side = min(width, height)
    draw = ImageDraw.Draw(image)
    square = max(side // 12, 4)
    corners = {"top_left": (0, 0), "top_right": (width - square, 0),
               "bottom_left": (0, height - square), "bottom_right": (width - square, height - square)}
    for corner, (x, y) in corners.items():
        draw.rectangle((x, y, x + square - 1, y + square - 1), fill=CORNER_COLOURS[corner])
    cx, cy = width // 2, height // 2
    ring = max(side // 10, 6)
    line = max(side // 150, 1)
    draw.ellipse((cx - ring, cy - ring, cx + ring, cy + ring), outline="white", width=line * 2)
    draw.line((cx - ring * 3 // 2, cy, cx + ring * 3 // 2, cy), fill="white", width=line)
    draw.line((cx, cy - ring * 3 // 2, cx, cy + ring * 3 // 2), fill="white", width=line)
    dot = max(side // 60, 2)
    draw.ellipse((cx - dot, cy - dot, cx + dot, cy + dot), fill=CENTRE_DOT)
    _label(image, label, (cx, cy + ring * 2))


def _label(image, text, centre_top):
    # The built-in bitmap font is the same on every machine, unlike the installed fonts.
    font = ImageFont.load_default()
    left, top, right, bottom = font.getbbox(text)
    small = Image.new("L", (right - left + 2, bottom - top + 2), 0)
    ImageDraw.Draw(small).text((1 - left, 1 - top), text, fill=255, font=font)
    scale = max(min(image.size) // 120, 1)
    mask = small.resize((small.width * scale, small.height * scale), Image.NEAREST)
    x = centre_top[0] - mask.width // 2
    shadow = Image.new("RGB", mask.size, (0, 0, 0))
    image.paste(shadow, (x + scale, centre_top[1] + scale), mask)
    image.paste(Image.new("RGB", mask.size, (255, 255, 255)), (x, centre_top[1]), mask)


def picture(width, height, colours, seed, label):
    """An RGB picture of the given size; colours are two "#rrggbb" texts."""
    size = (width, height)
    base = _gradient(size, _rgb(colours[0]), _rgb(colours[1])).convert("RGBA")
    image = Image.alpha_composite(base, _shapes(size, random.Random(seed))).convert("RGB")
    _marks(image, label)
    return image


def encode(image, image_format, **options):
    out = io.BytesIO()
    image.save(out, image_format, **options)
    return out.getvalue()


def wallpaper_jpeg(wallpaper):
    image = picture(wallpaper.width, wallpaper.height, wallpaper.colours, wallpaper.id,
                    f"{wallpaper.id} {wallpaper.width}x{wallpaper.height}")
    return encode(image, "JPEG", quality=92)
