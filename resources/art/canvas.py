"""Supersampled drawing of small pictures from shapes given in design units."""

from PIL import Image, ImageChops, ImageDraw, ImageFont

# Sub-pixels per picture pixel along each axis; edges are averaged over this grid.
SUPERSAMPLE = 8


class Shape:
    """A binary coverage mask on a canvas's sub-pixel grid."""

    def __init__(self, mask):
        self.mask = mask

    def __or__(self, other):
        return Shape(ImageChops.lighter(self.mask, other.mask))

    def __and__(self, other):
        return Shape(ImageChops.darker(self.mask, other.mask))

    def __sub__(self, other):
        return Shape(ImageChops.subtract(self.mask, other.mask))

    def shrunk(self, pixels):
        """The shape eroded by a disc of the given radius in picture pixels."""
        return Shape(_morph(self.mask, pixels, ImageChops.darker))

    def grown(self, pixels):
        """The shape dilated by a disc of the given radius in picture pixels."""
        return Shape(_morph(self.mask, pixels, ImageChops.lighter))

    def rim(self, pixels):
        """The band of the given width just inside the shape's edge."""
        return self - self.shrunk(pixels)


def _morph(mask, pixels, combine):
    # Everything outside the canvas counts as empty, so shifted copies are
    # pasted onto blank masks rather than wrapped around.
    radius = round(pixels * SUPERSAMPLE)
    box = mask.getbbox()
    if box is None:
        return mask
    # Only the shape's surroundings can change, so large pictures are worked on in a
    # window around it; the window's outside is empty just as the canvas's is.
    x0, y0, x1, y1 = box
    window = (max(x0 - radius - 1, 0), max(y0 - radius - 1, 0),
              min(x1 + radius + 1, mask.width), min(y1 + radius + 1, mask.height))
    result = Image.new("L", mask.size, 0)
    result.paste(_morph_whole(mask.crop(window), radius, combine), window[:2])
    return result


def _morph_whole(mask, radius, combine):
    result = mask
    for dy in range(-radius, radius + 1):
        for dx in range(-radius, radius + 1):
            if (dx, dy) == (0, 0) or dx * dx + dy * dy > radius * radius:
                continue
            shifted = Image.new("L", mask.size, 0)
            shifted.paste(mask, (dx, dy))
            result = combine(result, shifted)
    return result


class VerticalGradient:
    """A fill that runs from one colour at design y0 to another at y1."""

    def __init__(self, top, bottom, y0, y1):
        self.top, self.bottom, self.y0, self.y1 = top, bottom, y0, y1


class Canvas:
    """An RGBA picture whose width spans `design` units: size x size pixels, or
    width x height when size is a pair."""

    def __init__(self, size, design):
        width, height = size if isinstance(size, tuple) else (size, size)
        self.size = size
        self.unit = SUPERSAMPLE * width / design
        self.image = Image.new("RGBA", (width * SUPERSAMPLE, height * SUPERSAMPLE), (0, 0, 0, 0))

    def _scaled(self, values):
        return [round(v * self.unit) for v in values]

    def _blank(self):
        return Image.new("L", self.image.size, 0)

    def _drawn(self, draw_on):
        mask = self._blank()
        draw_on(ImageDraw.Draw(mask))
        return Shape(mask)

    def ellipse(self, box):
        # The box's far edges are exclusive, as with pixel rectangles.
        x0, y0, x1, y1 = self._scaled(box)
        return self._drawn(lambda d: d.ellipse((x0, y0, x1 - 1, y1 - 1), fill=255))

    def circle(self, centre, radius):
        cx, cy = centre
        return self.ellipse((cx - radius, cy - radius, cx + radius, cy + radius))

    def rect(self, box, radius=0):
        x0, y0, x1, y1 = self._scaled(box)
        r = round(radius * self.unit)
        return self._drawn(
            lambda d: d.rounded_rectangle((x0, y0, x1 - 1, y1 - 1), radius=r, fill=255))

    def polygon(self, points):
        scaled = [tuple(self._scaled(p)) for p in points]
        return self._drawn(lambda d: d.polygon(scaled, fill=255))

    def stroke(self, points, width):
        """A polyline of the given width in design units, with round ends and joints."""
        return self.strokes([points], width)

    def strokes(self, polylines, width):
        """Several polylines of one width, drawn together."""
        w = round(width * self.unit)

        def draw(d):
            for points in polylines:
                scaled = [tuple(self._scaled(p)) for p in points]
                d.line(scaled, fill=255, width=w)
                for x, y in scaled:
                    d.ellipse((x - w / 2, y - w / 2, x + w / 2, y + w / 2), fill=255)

        return self._drawn(draw)

    def arc(self, centre, radius, start, end, width):
        """A circular band of the given width inside `radius`, from `start` to `end` degrees
        clockwise from three o'clock."""
        cx, cy = centre
        x0, y0, x1, y1 = self._scaled((cx - radius, cy - radius, cx + radius, cy + radius))
        w = round(width * self.unit)
        return self._drawn(lambda d: d.arc((x0, y0, x1, y1), start, end, fill=255, width=w))

    def text(self, origin, words, font_file, size, anchor="la"):
        """The outline of a line of text at `size` design units, placed at `origin` by a
        Pillow anchor ("mm" centres it). The basic layout engine gives the same shapes
        whether or not Pillow was built with raqm."""
        font = ImageFont.truetype(font_file, round(size * self.unit),
                                  layout_engine=ImageFont.Layout.BASIC)
        x, y = self._scaled(origin)
        return self._drawn(lambda d: d.text((x, y), words, fill=255, font=font, anchor=anchor))

    def text_width(self, words, font_file, size):
        """How many design units the text takes along its line."""
        font = ImageFont.truetype(font_file, round(size * self.unit),
                                  layout_engine=ImageFont.Layout.BASIC)
        return font.getlength(words) / self.unit

    def paint(self, shape, fill):
        """Covers the shape with a colour (RGB, or RGBA for a see-through one) or a
        VerticalGradient, replacing what was there."""
        if isinstance(fill, VerticalGradient):
            fill = self._gradient(fill)
        else:
            fill = Image.new("RGBA", self.image.size, tuple(fill) + (255,) * (4 - len(fill)))
        self.image.paste(fill, (0, 0), shape.mask)

    def erase(self, shape):
        self.image.paste((0, 0, 0, 0), (0, 0) + self.image.size, shape.mask)

    def _gradient(self, g):
        height = self.image.size[1]
        y0, y1 = g.y0 * self.unit, g.y1 * self.unit
        column = Image.new("RGBA", (1, height))
        for y in range(height):
            t = min(max((y + 0.5 - y0) / (y1 - y0), 0.0), 1.0)
            column.putpixel((0, y), tuple(round(a + (b - a) * t) for a, b in zip(g.top, g.bottom)) + (255,))
        return column.resize(self.image.size, Image.Resampling.NEAREST)

    def render(self):
        """The picture at its real size; each pixel averages its sub-pixels.

        Pillow weights RGBA colours by alpha here, so edges keep their colour.
        """
        return self.image.reduce(SUPERSAMPLE)
