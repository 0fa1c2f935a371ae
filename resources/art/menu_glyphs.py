"""The 16 x 16 pictures beside the tray menu's items."""

import math

from PIL import Image

from canvas import Canvas, VerticalGradient

SIZE = 16
# LR_LOADTRANSPARENT would turn the corner colour into the window colour, white by
# default, but only in bitmaps with a colour table; these 24-bit ones keep their corner
# colour, so they are drawn on that white. No drawn pixel is left pure white, so the
# corner colour still marks the ground alone.
BACKGROUND = (255, 255, 255)
WHITE = (255, 255, 255)


def on_background(picture):
    """The picture flattened onto BACKGROUND, with no drawn pixel left equal to it."""
    flat = Image.new("RGBA", picture.size, BACKGROUND + (255,))
    flat.alpha_composite(picture)
    flat = flat.convert("RGB")
    for xy, alpha in zip(_coordinates(picture.size), picture.getchannel("A").getdata()):
        if alpha and flat.getpixel(xy) == BACKGROUND:
            r, g, b = BACKGROUND
            flat.putpixel(xy, (r, g, b - 1))
    return flat


def _coordinates(size):
    width, height = size
    return [(x, y) for y in range(height) for x in range(width)]


def speech_bubble():
    """A speech bubble with three dots: browsing and commenting on wallpapers."""
    c = Canvas(SIZE, SIZE)
    bubble = c.rect((0, 1, 16, 12), radius=3.5) | c.polygon([(3, 10), (8, 10), (2.5, 15)])
    c.paint(bubble, VerticalGradient(WHITE, (200, 225, 255), 1, 12))
    c.paint(bubble.rim(1), (35, 90, 180))
    for x in (4, 7, 10):
        c.paint(c.rect((x, 5.5, x + 2, 7.5), radius=0.6), (35, 90, 180))
    return on_background(c.render())


def die():
    """A red die seen from above and the right: a wallpaper drawn at random."""
    c = Canvas(SIZE, SIZE)
    depth = 3
    front = c.rect((1, 1 + depth, SIZE - depth, SIZE))
    top = c.polygon([(1, 1 + depth), (1 + depth, 1), (SIZE, 1), (SIZE - depth, 1 + depth)])
    side = c.polygon([(SIZE - depth, 1 + depth), (SIZE, 1), (SIZE, SIZE - depth),
                      (SIZE - depth, SIZE)])
    c.paint(front, VerticalGradient((245, 60, 60), (200, 20, 30), 1 + depth, SIZE))
    c.paint(top, (255, 130, 120))
    c.paint(side, (160, 10, 20))
    c.paint(c.ellipse((6.5, 1.6, 10.5, 3.4)), WHITE)
    c.paint((front | top | side).rim(1), (90, 0, 10))
    # Two-pixel pips on whole pixels stay crisp at this size.
    for x, y in [(3, 6), (9, 6), (6, 9), (3, 12), (9, 12)]:
        c.paint(c.rect((x, y, x + 2, y + 2), radius=0.5), WHITE)
    return on_background(c.render())


def _gear_outline(c, centre, teeth, outer, inner, tooth_width):
    cx, cy = centre
    shape = c.circle(centre, inner)
    for k in range(teeth):
        angle = 2 * math.pi * k / teeth
        ux, uy = math.cos(angle), math.sin(angle)
        vx, vy = -uy * tooth_width / 2, ux * tooth_width / 2
        corners = [(cx + ux * r + vx * s, cy + uy * r + vy * s)
                   for r, s in ((0, 1), (outer, 1), (outer, -1), (0, -1))]
        shape = shape | c.polygon(corners)
    return shape


def gear():
    """A steel gear: the settings."""
    c = Canvas(SIZE, SIZE)
    wheel = _gear_outline(c, (8, 8), teeth=8, outer=7.8, inner=5.6, tooth_width=3.2)
    wheel = wheel - c.circle((8, 8), 2.3)
    c.paint(wheel, VerticalGradient((215, 225, 240), (110, 125, 150), 0.5, 15.5))
    c.paint(wheel.rim(1), (45, 55, 75))
    return on_background(c.render())


def power_button():
    """A red power button: leaving the program."""
    c = Canvas(SIZE, SIZE)
    button = c.circle((8, 8), 7.8)
    c.paint(button, VerticalGradient((255, 110, 90), (190, 20, 20), 0.5, 15.5))
    c.paint(button.rim(1), (110, 0, 0))
    symbol = c.arc((8, 8.5), 4.6, -50, 230, width=1.8) | c.stroke([(8, 3), (8, 7.5)], width=2)
    c.paint(symbol, WHITE)
    return on_background(c.render())
