"""The program's emblem, a painter's palette, and the busy variant with a download arrow."""

from canvas import Canvas, VerticalGradient

DESIGN = 40  # the emblem's coordinates span 40 units at every size
OUTLINE = (58, 32, 16)
SHEEN = (255, 246, 222)
WOOD = VerticalGradient((255, 226, 160), (226, 160, 84), 5, 35)
RED, ORANGE, YELLOW = (232, 32, 48), (255, 140, 20), (255, 214, 10)
GREEN, BLUE, PURPLE = (40, 190, 70), (30, 130, 240), (150, 60, 200)


class Paints:
    """Where the dabs of paint sit, and how much detail each gets."""

    def __init__(self, dabs, radius, shaded):
        self.dabs, self.radius, self.shaded = dabs, radius, shaded


# Six shaded dabs where there is room for them.
DETAILED = Paints([(RED, (10.5, 14)), (ORANGE, (18.5, 10.5)), (YELLOW, (27, 11)),
                   (GREEN, (32.5, 18.5)), (BLUE, (31, 27.5)), (PURPLE, (22.5, 29))],
                  radius=4, shaded=True)
# At 16 pixels five plain dabs of 3 x 3 pixels, centred on pixels, stay distinct.
SIMPLE = Paints([(RED, (11.25, 13.75)), (YELLOW, (21.25, 11.25)), (GREEN, (31.25, 16.25)),
                 (BLUE, (31.25, 26.25)), (PURPLE, (21.25, 28.75))],
                radius=4.5, shaded=False)


def paints_for(size):
    return DETAILED if size > 16 else SIMPLE


def darker(colour, factor=0.62):
    return tuple(round(c * factor) for c in colour)


def lighter(colour, amount=0.6):
    return tuple(round(c + (255 - c) * amount) for c in colour)


def _palette_board(canvas):
    body = canvas.ellipse((1, 4, 39, 36))
    notch = canvas.circle((7, 34.5), 6.5)
    hole = canvas.circle((12.5, 23.5), 3.2)
    return body - notch - hole


def draw_palette(canvas, paints):
    board = _palette_board(canvas)
    canvas.paint(board, WOOD)
    canvas.paint(board.rim(1), OUTLINE)
    if paints.shaded:
        # A lit inner edge along the top gives the board some thickness.
        canvas.paint(board.shrunk(1).rim(1) & canvas.rect((0, 0, DESIGN, 18)), SHEEN)
    for colour, centre in paints.dabs:
        dab = canvas.circle(centre, paints.radius)
        canvas.paint(dab, colour)
        if paints.shaded:
            canvas.paint(dab.rim(0.75), darker(colour))
            cx, cy = centre
            canvas.paint(canvas.circle((cx - 1.3, cy - 1.3), 1.3), lighter(colour))


def idle_icon(size):
    """The idle emblem: the palette with its dabs of paint."""
    canvas = Canvas(size, DESIGN)
    draw_palette(canvas, paints_for(size))
    return canvas.render()


# The busy picture spans more units, so the palette shrinks into its top-left corner
# and leaves the bottom-right corner to the arrow.
BUSY_DESIGN = 48
ARROW_OUTLINE = (12, 70, 24)
ARROW_FILL = VerticalGradient((130, 240, 130), (20, 160, 50), 12, 46)


def _download_arrow(canvas):
    # Multiples of 6 units fall on whole pixels at both 24 and 32 pixels.
    shaft = canvas.rect((30, 12, 42, 31), radius=1.5)
    head = canvas.polygon([(25, 30), (47, 30), (36, 46)])
    return shaft | head


def busy_icon(size):
    """The busy emblem: a smaller palette with a bold download arrow over its corner."""
    canvas = Canvas(size, BUSY_DESIGN)
    draw_palette(canvas, paints_for(size))
    arrow = _download_arrow(canvas)
    canvas.paint(arrow.grown(1), ARROW_OUTLINE)
    canvas.paint(arrow, ARROW_FILL)
    return canvas.render()
