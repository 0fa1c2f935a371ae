"""A magnified sheet of the written pictures, decoded as a viewer would see them."""

from PIL import Image, IcoImagePlugin

ICONS = ["amainicon.ico", "downloadicon.ico"]
BITMAPS = ["comment.bmp", "losuj.bmp", "config.bmp", "exit.bmp"]
GROUNDS = [(255, 255, 255), (32, 32, 32), (0, 90, 160)]  # light, dark and blue taskbars
MENUS = [(255, 255, 255), (240, 240, 240)]  # white menus and Windows 7 to 10 grey
ZOOM = 8
GAP = 12
SHEET_GROUND = (128, 128, 128)


def _on(ground, picture, zoom):
    tile = Image.new("RGBA", picture.size, ground + (255,))
    tile.alpha_composite(picture.convert("RGBA"))
    return tile.resize((picture.width * zoom, picture.height * zoom), Image.Resampling.NEAREST)


def _icon_frames(path):
    with open(path, "rb") as file:
        icon = IcoImagePlugin.IcoFile(file)
        return [icon.getimage(size) for size in icon.sizes()]


def _tiles(resources):
    """Rows of tiles: each icon size magnified on every ground, then at its real size;
    the bitmaps magnified and at real size on each menu colour."""
    rows = []
    for name in ICONS:
        for frame in _icon_frames(resources / name):
            rows.append([_on(g, frame, ZOOM) for g in GROUNDS] + [_on(g, frame, 1) for g in GROUNDS])
    bitmaps = [Image.open(resources / name) for name in BITMAPS]
    for menu in MENUS:
        rows.append([_on(menu, b, ZOOM) for b in bitmaps] + [_on(menu, b, 1) for b in bitmaps])
    return rows


def preview_sheet(resources):
    rows = _tiles(resources)
    width = max(sum(t.width + GAP for t in row) for row in rows) + GAP
    height = sum(max(t.height for t in row) + GAP for row in rows) + GAP
    sheet = Image.new("RGB", (width, height), SHEET_GROUND)
    y = GAP
    for row in rows:
        x = GAP
        for tile in row:
            sheet.paste(tile, (x, y))
            x += tile.width + GAP
        y += max(t.height for t in row) + GAP
    return sheet
