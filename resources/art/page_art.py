"""The pictures of the settings pages: background, logo, titles, buttons and labels.

Every picture is drawn in pixel units on a supersampled canvas, in the emblem's colours:
paint-coloured buttons with a dark rim and a lit top edge, white bold labels with a shadow,
and cards of the palette's wood. Labels are DejaVu, which has every Polish letter.
"""

import math

from PIL import Image, ImageDraw, ImageFilter

from canvas import Canvas, VerticalGradient
from emblem import (BLUE, GREEN, ORANGE, OUTLINE, PURPLE, RED, SHEEN, WOOD, YELLOW, darker,
                    idle_icon, lighter)

FONTS = "/usr/share/fonts/truetype/dejavu/"
BOLD = FONTS + "DejaVuSans-Bold.ttf"
WHITE = (255, 255, 255)
CREAM = (255, 244, 220)
SHADOW = (40, 16, 28)
PINK = (235, 60, 120)
PAINTS = [RED, ORANGE, YELLOW, GREEN, BLUE, PURPLE]


def _pixels(width, height):
    return Canvas((width, height), width)


def _shadowed_text(c, origin, words, size, colour, anchor="la", shadow=SHADOW):
    # A one-pixel shadow below and right keeps light text readable on any part of the
    # background and on the paint colours.
    x, y = origin
    c.paint(c.text((x + 1, y + 1), words, BOLD, size, anchor), shadow)
    c.paint(c.text(origin, words, BOLD, size, anchor), colour)


def _inset(c, box, radius, by):
    """The rounded rectangle `by` pixels inside the given one: cheaper than shrinking."""
    x0, y0, x1, y1 = box
    return c.rect((x0 + by, y0 + by, x1 - by, y1 - by), max(radius - by, 0))


def _button_body(c, box, colour, radius):
    body = c.rect(box, radius)
    c.paint(body, VerticalGradient(lighter(colour, 0.3), darker(colour, 0.78), box[1], box[3]))
    x0, y0, x1, y1 = box
    sheen = _inset(c, box, radius, 1) - _inset(c, box, radius, 2)
    c.paint(sheen & c.rect((x0, y0, x1, (y0 + y1) / 2)), lighter(colour, 0.55))
    c.paint(body - _inset(c, box, radius, 1), darker(colour, 0.42))
    return body


# Small white glyphs for the buttons, each in a box of about 14 x 14 at its origin.

def _heart(c, x, y, s=14):
    k = s / 14
    left = c.circle((x + 4 * k, y + 5 * k), 3.6 * k)
    right = c.circle((x + 10 * k, y + 5 * k), 3.6 * k)
    tip = c.polygon([(x + 0.6 * k, y + 6.4 * k), (x + 13.4 * k, y + 6.4 * k), (x + 7 * k, y + 13 * k)])
    return left | right | tip


def _star(c, cx, cy, outer, inner=None, points=5):
    inner = inner or outer * 0.45
    corners = []
    for k in range(2 * points):
        r = outer if k % 2 == 0 else inner
        angle = math.pi * k / points - math.pi / 2
        corners.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    return c.polygon(corners)


def _eye(c, cx, cy, half_width, colour):
    """An almond eye, its iris in the button's colour."""
    h = half_width * 0.62
    lid = c.polygon([(cx - half_width + half_width * 2 * t / 24,
                      cy - h * math.sin(math.pi * t / 24)) for t in range(25)] +
                    [(cx + half_width - half_width * 2 * t / 24,
                      cy + h * math.sin(math.pi * t / 24)) for t in range(25)])
    c.paint(lid, WHITE)
    c.paint(c.circle((cx, cy), h * 0.95) & lid, darker(colour, 0.8))
    c.paint(c.circle((cx, cy), h * 0.45), SHADOW)
    c.paint(c.circle((cx - h * 0.3, cy - h * 0.3), h * 0.2), WHITE)


def _eye_glyph(c, x, y):
    # An eye cut out of a white almond, so it reads in one colour.
    lid = c.polygon([(x + 14 * t / 16, y + 7 - 5 * math.sin(math.pi * t / 16)) for t in range(17)] +
                    [(x + 14 - 14 * t / 16, y + 7 + 5 * math.sin(math.pi * t / 16))
                     for t in range(17)])
    return lid - c.circle((x + 7, y + 7), 3.2) | c.circle((x + 7, y + 7), 1.7)


def _bubble(c, x, y):
    return c.rect((x, y + 1, x + 14, y + 10), radius=3) | c.polygon(
        [(x + 3, y + 9), (x + 7, y + 9), (x + 2, y + 14)])


def _left_arrow(c, x, y):
    return c.polygon([(x, y + 7), (x + 7, y), (x + 7, y + 4), (x + 14, y + 4), (x + 14, y + 10),
                      (x + 7, y + 10), (x + 7, y + 14)])


def pill_button(colour, label, glyph=None, size=12, height=28, padding=10):
    """A rounded paint-coloured button just wide enough for its white label and, left of
    it, a white glyph drawn by glyph(canvas, x, y) in a 14-pixel box."""
    probe = _pixels(1, 1)
    text_width = probe.text_width(label, BOLD, size)
    glyph_width = 18 if glyph else 0
    width = math.ceil(text_width + glyph_width + 2 * padding)
    c = _pixels(width, height)
    _button_body(c, (0.5, 0.5, width - 0.5, height - 0.5), colour, radius=height / 2 - 1)
    x = (width - text_width - glyph_width) / 2
    if glyph:
        top = (height - 14) / 2
        c.paint(glyph(c, x + 1, top + 1), darker(colour, 0.42))
        c.paint(glyph(c, x, top), WHITE)
    _shadowed_text(c, (x + glyph_width, height / 2), label, size, WHITE, "lm",
                   darker(colour, 0.42))
    return c.render()


def round_button(width, height, colour, label, draw_symbol):
    """A round button with a white symbol, its short label underneath in white."""
    c = _pixels(width, height)
    diameter = width - 4
    cx, cy = width / 2, diameter / 2 + 1
    face = c.circle((cx, cy), diameter / 2)
    c.paint(face, VerticalGradient(lighter(colour, 0.35), darker(colour, 0.75), cy - diameter / 2,
                                   cy + diameter / 2))
    c.paint(face.shrunk(1).rim(1.2) & c.rect((0, 0, width, cy)), lighter(colour, 0.6))
    c.paint(face.rim(1.2), darker(colour, 0.4))
    draw_symbol(c, cx, cy, diameter / 2, colour)
    _shadowed_text(c, (cx, height - 1), label, 10, WHITE, "md")
    return c.render()


def _circling_arrows(c, cx, cy, r, colour):
    band = 0.2 * r
    radius = 0.62 * r
    for start in (200, 20):
        arc = c.arc((cx, cy), radius, start, start + 125, band)
        end = math.radians(start + 125)
        # The head points on along the circle, clockwise.
        ex, ey = cx + (radius - band / 2) * math.cos(end), cy + (radius - band / 2) * math.sin(end)
        tx, ty = -math.sin(end), math.cos(end)
        nx, ny = math.cos(end), math.sin(end)
        w, ln = 0.3 * r, 0.34 * r
        head = c.polygon([(ex + nx * w, ey + ny * w), (ex - nx * w, ey - ny * w),
                          (ex + tx * ln, ey + ty * ln)])
        c.paint((arc | head).grown(0.8), darker(colour, 0.45))
        c.paint(arc | head, WHITE)


def _eye_symbol(c, cx, cy, r, colour):
    _eye(c, cx, cy, 0.66 * r, colour)


def _exit_symbol(c, cx, cy, r, colour):
    door = c.rect((cx - 0.55 * r, cy - 0.55 * r, cx + 0.1 * r, cy + 0.55 * r), radius=1.5)
    door = door - c.rect((cx - 0.4 * r, cy - 0.4 * r, cx - 0.05 * r, cy + 0.4 * r))
    arrow = c.rect((cx - 0.2 * r, cy - 0.1 * r, cx + 0.35 * r, cy + 0.1 * r)) | c.polygon(
        [(cx + 0.3 * r, cy - 0.32 * r), (cx + 0.68 * r, cy), (cx + 0.3 * r, cy + 0.32 * r)])
    c.paint(door | arrow, WHITE)


def refresh():
    return round_button(46, 56, GREEN, "losuj", _circling_arrows)


def see():
    return round_button(46, 56, BLUE, "zobacz", _eye_symbol)


def log_out():
    # Room for only 46 pixels at the right edge, so the label is smaller than elsewhere.
    width, height = 46, 40
    c = _pixels(width, height)
    cx, cy, r = width / 2, 14, 13
    face = c.circle((cx, cy), r)
    c.paint(face, VerticalGradient(lighter(RED, 0.35), darker(RED, 0.75), cy - r, cy + r))
    c.paint(face.shrunk(1).rim(1.2) & c.rect((0, 0, width, cy)), lighter(RED, 0.6))
    c.paint(face.rim(1.2), darker(RED, 0.4))
    _exit_symbol(c, cx, cy, r, RED)
    _shadowed_text(c, (cx, height - 1), "Wyloguj", 9, WHITE, "md")
    return c.render()


def title(width, colour, label, glyph):
    """A group's title: a stroke of paint with the name on it, its glyph at the left."""
    height = 32
    c = _pixels(width, height)
    # The stroke's ends are ragged like a brush's.
    top = [(4, 5), (width * 0.3, 3), (width * 0.7, 4), (width - 3, 2.5)]
    bottom = [(width - 1, 27), (width - 6, 29.5), (width * 0.6, 28.5), (width * 0.25, 30), (2, 28)]
    left = [(0.5, 22), (3, 16), (1, 10)]
    stroke = c.polygon(top + [(width - 0.5, 8), (width - 4, 14), (width - 0.5, 20)] + bottom + left)
    c.paint(stroke, VerticalGradient(lighter(colour, 0.2), darker(colour, 0.8), 3, 30))
    c.paint(stroke.rim(1), darker(colour, 0.45))
    c.paint(glyph(c, 8, 9).grown(0.8), darker(colour, 0.4))
    c.paint(glyph(c, 8, 9), WHITE)
    _shadowed_text(c, (28, 16.5), label, 13, WHITE, "lm", darker(colour, 0.4))
    return c.render()


def super_title():
    return title(132, ORANGE, "Super Tapety", lambda c, x, y: _star(c, x + 7, y + 7, 7.5))


def favourites_title():
    return title(108, PINK, "Ulubione", _heart)


def added_title():
    def upload(c, x, y):
        return c.rect((x + 5, y + 6, x + 9, y + 14)) | c.polygon([(x, y + 7), (x + 7, y), (x + 14, y + 7)])
    return title(100, GREEN, "Dodane", upload)


def label(words, size=12, colour=CREAM, height=24):
    """Words on the background, as wide as they need."""
    width = math.ceil(_pixels(1, 1).text_width(words, BOLD, size)) + 3
    c = _pixels(width, height)
    _shadowed_text(c, (1, height / 2), words, size, colour, "lm")
    return c.render()


def automatic_title():
    """"Automatyczna zmiana tapety" after a little clock with a painted face."""
    words = "Automatyczna zmiana tapety"
    width, height = math.ceil(_pixels(1, 1).text_width(words, BOLD, 13)) + 30, 26
    c = _pixels(width, height)
    face = c.circle((11, 13), 10)
    c.paint(face, YELLOW)
    for k, colour in enumerate(PAINTS):
        angle = 2 * math.pi * k / len(PAINTS)
        c.paint(c.circle((11 + 6.8 * math.cos(angle), 13 + 6.8 * math.sin(angle)), 1.6), colour)
    c.paint(face.rim(1.4), OUTLINE)
    c.paint(c.stroke([(11, 13), (11, 7.5)], 1.6) | c.stroke([(11, 13), (15, 15)], 1.6), OUTLINE)
    _shadowed_text(c, (27, height / 2), words, 13, WHITE, "lm")
    return c.render()


def logo():
    """The palette and the name, each letter in a paint of the palette."""
    name, size = "Kolorowisko", 23
    width, height = math.ceil(_pixels(1, 1).text_width(name, BOLD, size)) + 52, 42
    c = _pixels(width, height)
    x = 48
    letters = []
    for k, letter in enumerate(name):
        letters.append((x, letter, PAINTS[k % len(PAINTS)]))
        x += c.text_width(letter, BOLD, size)
    whole = c.text((48, 22), name, BOLD, size, "lm")
    c.paint(whole.grown(2), OUTLINE)
    for x, letter, colour in letters:
        glyph = c.text((x, 22), letter, BOLD, size, "lm")
        c.paint(glyph, VerticalGradient(lighter(colour, 0.35), colour, 10, 28))
    picture = c.render()
    picture.alpha_composite(idle_icon(40), (2, 1))
    return picture


def divider():
    """A thin stroke running through the palette's paints, fading at both ends."""
    width, height = 721, 4
    picture = Image.new("RGBA", (width, height))
    stops = PAINTS + [RED]
    rows = [110, 255, 255, 110]
    for x in range(width):
        t = x / (width - 1) * (len(stops) - 1)
        k = min(int(t), len(stops) - 2)
        f = t - k
        colour = tuple(round(a + (b - a) * f) for a, b in zip(stops[k], stops[k + 1]))
        fade = min(1.0, x / 60, (width - 1 - x) / 60)
        for y, alpha in enumerate(rows):
            picture.putpixel((x, y), colour + (round(alpha * fade),))
    return picture


def _dashes(c, box, radius, dash, gap, width):
    """Dashes along a rounded rectangle's edge."""
    x0, y0, x1, y1 = box
    points = []
    corners = [(x1 - radius, y0 + radius, -90), (x1 - radius, y1 - radius, 0),
               (x0 + radius, y1 - radius, 90), (x0 + radius, y0 + radius, 180)]
    for cx, cy, start in corners:
        for k in range(10):
            a = math.radians(start + 90 * k / 9)
            points.append((cx + radius * math.cos(a), cy + radius * math.sin(a)))
    points.append(points[0])
    runs, run, on, left = [], [points[0]], True, dash
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        length = math.hypot(bx - ax, by - ay)
        pos = 0.0
        while length - pos > left:
            pos += left
            p = (ax + (bx - ax) * pos / length, ay + (by - ay) * pos / length)
            if on:
                runs.append(run + [p])
            run, on = [p], not on
            left = dash if on else gap
        left -= length - pos
        run.append((bx, by))
    return c.strokes(runs, width)


def drop_zone():
    """The dashed field that invites the user to drop a picture."""
    width, height = 268, 262
    c = _pixels(width, height)
    field = c.rect((1, 1, width - 1, height - 1), radius=16)
    c.paint(field, (255, 236, 200, 34))
    c.paint(_dashes(c, (2, 2, width - 2, height - 2), 15, 11, 7, 2.2), CREAM)
    # A framed landscape with an arrow coming down onto it.
    fx, fy, fw, fh = 84, 74, 100, 76
    frame = c.rect((fx, fy, fx + fw, fy + fh), radius=4)
    c.paint(frame.grown(1.5), OUTLINE)
    c.paint(frame, WOOD)
    inside = c.rect((fx + 7, fy + 7, fx + fw - 7, fy + fh - 7), radius=1)
    c.paint(inside, VerticalGradient((120, 200, 255), (255, 220, 170), fy + 7, fy + fh - 7))
    c.paint(c.circle((fx + fw - 24, fy + 22), 7) & inside, YELLOW)
    hills = c.polygon([(fx + 7, fy + fh - 20), (fx + 34, fy + 34), (fx + 56, fy + fh - 26),
                       (fx + 70, fy + 44), (fx + fw - 7, fy + fh - 22), (fx + fw - 7, fy + fh),
                       (fx + 7, fy + fh)]) & inside
    c.paint(hills, VerticalGradient(lighter(GREEN, 0.2), darker(GREEN, 0.7), fy + 34, fy + fh))
    c.paint(inside.rim(1), darker(OUTLINE, 1.4))
    arrow = c.rect((120, 26, 148, 70), radius=2) | c.polygon([(108, 66), (160, 66), (134, 94)])
    c.paint(arrow.grown(1.5), (12, 70, 24))
    c.paint(arrow, VerticalGradient((130, 240, 130), (20, 160, 50), 26, 94))
    for k, line in enumerate(["Upuść tu obrazek,", "a zostanie tapetą"]):
        _shadowed_text(c, (width / 2, 188 + 24 * k), line, 15, CREAM, "mm")
    return c.render()


def _padlock(c, cx, top, badge_colour, badge):
    shackle = c.arc((cx, top + 11), 10, 180, 360, 4.5)
    shackle = shackle | c.rect((cx - 10, top + 10, cx - 5.5, top + 16)) | c.rect(
        (cx + 5.5, top + 10, cx + 10, top + 16))
    c.paint(shackle.grown(1), OUTLINE)
    c.paint(shackle, VerticalGradient((235, 235, 245), (140, 145, 160), top, top + 16))
    body = c.rect((cx - 15, top + 14, cx + 15, top + 38), radius=4)
    c.paint(body.grown(1), OUTLINE)
    c.paint(body, VerticalGradient(lighter(YELLOW, 0.3), darker(ORANGE, 0.85), top + 14, top + 38))
    c.paint(c.circle((cx, top + 24), 3.2) | c.polygon(
        [(cx - 1.8, top + 25), (cx + 1.8, top + 25), (cx + 2.4, top + 32), (cx - 2.4, top + 32)]),
        OUTLINE)
    bx, by = cx + 13, top + 30
    disc = c.circle((bx, by), 8.5)
    c.paint(disc.grown(1), OUTLINE)
    c.paint(disc, badge_colour)
    c.paint(badge(c, bx - 5.5, by - 5.5), WHITE)


def signed_in_only(width, height, badge_colour, badge):
    """A wooden card over a group that needs an account: a padlock and the reason."""
    c = _pixels(width, height)
    box = (1, 1, width - 1, height - 1)
    card = c.rect(box, radius=10)
    c.paint(card, VerticalGradient((255, 238, 200), (236, 190, 120), 1, height - 1))
    sheen = _inset(c, box, 10, 1.5) - _inset(c, box, 10, 2.5)
    c.paint(sheen & c.rect((0, 0, width, height / 2)), SHEEN)
    c.paint(card - _inset(c, box, 10, 1.5), OUTLINE)
    top = (height - 122) / 2 + 12
    _padlock(c, width / 2 - 3, top, badge_colour, badge)
    for k, line in enumerate(["Dostępne po", "zalogowaniu"]):
        c.paint(c.text((width / 2, top + 60 + 17 * k), line, BOLD, 12.5, "mm"), OUTLINE)
    return c.render()


def _small_heart(c, x, y):
    return _heart(c, x, y, 11)


def _small_plus(c, x, y):
    return c.rect((x + 4.3, y + 1, x + 6.7, y + 10)) | c.rect((x + 1, y + 4.3, x + 10, y + 6.7))


def favourites_locked():
    return signed_in_only(130, 122, PINK, _small_heart)


def added_locked():
    return signed_in_only(116, 129, GREEN, _small_plus)


def recent():
    """"Ostatnio ustawione" on two lines after a small stack of pictures."""
    width, height = 150, 40
    c = _pixels(width, height)
    _button_body(c, (0.5, 0.5, width - 0.5, height - 0.5), PURPLE, radius=12)
    for k, colour in enumerate([BLUE, ORANGE, GREEN]):
        x, y = 10 + 4 * k, 8 + 4 * k
        card = c.rect((x, y, x + 18, y + 14), radius=1.5)
        c.paint(card.grown(1), darker(PURPLE, 0.42))
        c.paint(card, WHITE)
        c.paint(c.rect((x + 2, y + 2, x + 16, y + 12)), colour)
    _shadowed_text(c, (42, 13), "Ostatnio", 12, WHITE, "lm", darker(PURPLE, 0.42))
    _shadowed_text(c, (42, 27), "ustawione", 12, WHITE, "lm", darker(PURPLE, 0.42))
    return c.render()


def background():
    """tlo2.png: a deep warm ground with soft glows of paint, so white text stays readable."""
    width, height = 745, 425
    top_left, bottom_right = (86, 38, 58), (44, 22, 46)
    # Diagonal: the colour depends on x + y alone.
    steps = width + height - 1
    shades = [tuple(round(a + (b - a) * k / steps) for a, b in zip(top_left, bottom_right))
              for k in range(steps + 1)]
    ground = Image.new("RGB", (width, height))
    ground.putdata([shades[x + y] for y in range(height) for x in range(width)])
    glows = Image.new("RGBA", (width, height))
    draw = ImageDraw.Draw(glows)
    for (cx, cy, r), colour, alpha in [((690, 40, 170), ORANGE, 70), ((40, 400, 190), PURPLE, 80),
                                       ((380, 250, 150), RED, 34), ((560, 420, 150), BLUE, 46),
                                       ((130, 40, 120), YELLOW, 30)]:
        draw.ellipse((cx - r, cy - r, cx + r, cy + r), fill=colour + (alpha,))
    glows = glows.filter(ImageFilter.GaussianBlur(70))
    picture = ground.convert("RGBA")
    picture.alpha_composite(glows)
    return picture.convert("RGB")


# Long, gentle gradients that would show steps at 256 colours.
SMOOTH = {"tlo2.png"}


def pictures():
    """Every picture that the pages name, by file name."""
    return {
        "tlo2.png": background(),
        "logo.png": logo(),
        "divider.png": divider(),
        "drop_zone.png": drop_zone(),
        "super.png": super_title(),
        "ulubione.png": favourites_title(),
        "dodane.png": added_title(),
        "refresh.png": refresh(),
        "see.png": see(),
        "po_zalogowaniu_u.png": favourites_locked(),
        "po_zalogowaniu_d.png": added_locked(),
        "aktualna.png": label("Aktualna tapeta:", colour=YELLOW, height=28),
        "zobacz.png": pill_button(BLUE, "Zobacz", lambda c, x, y: _eye_glyph(c, x, y)),
        "skomentuj.png": pill_button(PURPLE, "Skomentuj", _bubble, padding=8),
        "ocen.png": pill_button(ORANGE, "Oceń", lambda c, x, y: _star(c, x + 7, y + 7, 7.5),
                                padding=8),
        "dodaj.png": pill_button(PINK, "Dodaj do ulubionych", _heart, size=11, padding=6),
        "ostatnio.png": recent(),
        "automatyka.png": automatic_title(),
        "zmieniaj_co.png": label("Zmieniaj co"),
        "minut.png": label("minut"),
        "losuj_z.png": label("Losuj z:"),
        "osobna_tapeta.png": label("Osobna tapeta na każdym ekranie"),
        "zaloguj.png": pill_button(GREEN, "Zaloguj", height=26),
        "zaloz.png": pill_button(ORANGE, "Załóż konto", height=26),
        "wyloguj.png": log_out(),
        "wroc.png": pill_button(BLUE, "Wróć", _left_arrow),
    }
