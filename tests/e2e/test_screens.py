"""The wallpaper on several monitors, on an Xorg display whose monitors Wine reports: each screen
filled by its own crop, under both ways Windows lays one bitmap over them, a draw for each screen,
and a live change of the layout drawn again without asking the service."""
import time
import unittest

from PIL import Image, ImageChops, ImageStat

from harness import (TRAY_CLASS, TRAY_TITLE, Program, ServiceTestCase, data_folder, driver,
                     log_lines, read_config, reg_query, run_with_argument, thumbnails_folder,
                     wait_for_tray_window, wait_until, write_config)
from screens import ScreensDisplay, windows_version

WM_DISPLAYCHANGE = 0x007E
DESKTOP = r"HKCU\Control Panel\Desktop"
# X layouts (width, height, x, y), the primary first; Windows puts the primary at 0,0.
RIGHT_AND_HIGHER = [(1920, 1080, 0, 200), (1600, 900, 1920, 0)]  # the second at 1920,-200
PORTRAIT_ON_THE_LEFT = [(1920, 1080, 1080, 420), (1080, 1920, 0, 0)]  # at -1080,-420


def windows_monitors(layout):
    """The layout as Windows names it: (x, y, width, height), the primary at 0,0."""
    _, _, px, py = layout[0]
    return [(x - px, y - py, width, height) for width, height, x, y in layout]


def seen_on(wall, monitor, monitors, tiled):
    """What the desktop shows of the bitmap on that monitor: spanned from the virtual screen's
    top-left, or tiled from the primary's."""
    x, y, width, height = monitor
    left = min(m[0] for m in monitors)
    top = min(m[1] for m in monitors)
    seen = Image.new("RGB", (width, height))
    if not tiled:
        seen.paste(wall.crop((x - left, y - top, x - left + width, y - top + height)))
        return seen
    tiles = Image.new("RGB", (wall.width * 2, wall.height * 2))
    for dx in (0, wall.width):
        for dy in (0, wall.height):
            tiles.paste(wall, (dx, dy))
    sx, sy = x % wall.width, y % wall.height
    return tiles.crop((sx, sy, sx + width, sy + height))


def centre_crop(picture, width, height):
    """The picture's centre at the monitor's shape, scaled to its size."""
    ratio = width / height
    if ratio > picture.width / picture.height:
        crop = int(picture.width / ratio)
        top = abs(crop - picture.height) // 2
        box = (0, top, picture.width, picture.height - top)
    else:
        crop = int(ratio * picture.height)
        left = abs(crop - picture.width) // 2
        box = (left, 0, picture.width - left, picture.height)
    return picture.crop(box).resize((width, height), Image.BILINEAR)


def difference(a, b):
    """Mean difference per channel of two pictures of one size, at a coarse scale."""
    small = (64, 64)
    diff = ImageChops.difference(a.resize(small, Image.BOX), b.resize(small, Image.BOX))
    return sum(ImageStat.Stat(diff).mean) / 3


class Screens(ServiceTestCase):

    # One display for the class: a Wine call made while it opens or closes may hang, and every
    # test makes such calls all along.
    @classmethod
    def setUpClass(cls):
        cls.screens = ScreensDisplay(RIGHT_AND_HIGHER).start()
        try:
            super().setUpClass()
        except BaseException:
            cls.screens.stop()
            raise

    @classmethod
    def tearDownClass(cls):
        super().tearDownClass()
        cls.screens.stop()

    def lay_out(self, layout):
        """The monitors for the next start; a running program sees them at once."""
        self.screens.relayout(layout)

    def wall(self):
        with Image.open(data_folder() / "wall.bmp") as wall:
            return wall.convert("RGB")

    def picture(self, wallpaper_id):
        with Image.open(self.service.wallpaper_path(wallpaper_id)) as picture:
            return picture.convert("RGB")

    def assert_screens_show(self, layout, pictures, tiled):
        """Each monitor shows its picture's centre crop, and nothing else is drawn."""
        monitors = windows_monitors(layout)
        wall = self.wall()
        self.assertEqual(wall.size, (max(x + w for x, _, w, _ in monitors) -
                                     min(x for x, _, _, _ in monitors),
                                     max(y + h for _, y, _, h in monitors) -
                                     min(y for _, y, _, _ in monitors)))
        for monitor, picture in zip(monitors, pictures):
            with self.subTest(monitor=monitor):
                expected = centre_crop(picture, monitor[2], monitor[3])
                self.assertLess(difference(seen_on(wall, monitor, monitors, tiled), expected), 8)

    def test_each_screen_shows_its_own_crop_under_both_windows_versions(self):
        for version, layout, tile, style in [("win7", RIGHT_AND_HIGHER, "1", "0"),
                                             ("win10", RIGHT_AND_HIGHER, "0", "22"),
                                             ("win10", PORTRAIT_ON_THE_LEFT, "0", "22")]:
            with self.subTest(version=version, layout=layout):
                self.lay_out(layout)
                with windows_version(version):
                    self.assertEqual(run_with_argument("kolorowisko:12350"), 0)
                    self.assertEqual((reg_query(DESKTOP, "TileWallpaper"),
                                      reg_query(DESKTOP, "WallpaperStyle")), (tile, style))
                    self.assert_screens_show(layout, [self.picture(12350)] * 2, tile == "1")
                    (x, y, w, h), (x2, y2, w2, h2) = windows_monitors(layout)
                    self.assertIn(f"layout: 2 screens: {w}x{h} at 0,0 (primary), "
                                  f"{w2}x{h2} at {x2},{y2}", "\n".join(log_lines()))

    def test_a_draw_for_each_screen_at_its_own_size(self):
        write_config({"SEPARATE_SCREENS": "YES"})
        self.lay_out(RIGHT_AND_HIGHER)
        with windows_version("win10"):
            # The primary's draw is known; the second screen's is the service's own choice.
            self.service.set_fault("body", text="[id:12350][zdjecie:12350.jpg]", scope="select",
                                   count=1)
            self.assertEqual(run_with_argument("kolorowisko:-1"), 0)
        sizes = [r["target"].split("&x=")[1].split("&losowa")[0]
                 for r in self.service.requests(kind="select")]
        self.assertEqual(sizes, ["1920&y=1080", "1600&y=900"])
        # A picture chosen for both screens is fetched once.
        chosen = [r["target"].rsplit("=", 1)[1] for r in self.service.requests(kind="image")]
        self.assertEqual(chosen[0], "12350.jpg")
        ids = {w.name: w.id for w in self.service.catalogue.by_id.values()}
        self.assert_screens_show(RIGHT_AND_HIGHER, [self.picture(ids[chosen[0]]),
                                                    self.picture(ids[chosen[-1]])], tiled=False)
        for name in chosen:
            self.assertTrue((thumbnails_folder() / name).is_file(), name)
        self.assertEqual(read_config()["CURRENT_NAME"], "12350.jpg")

    def test_a_live_layout_change_is_drawn_again_without_a_request(self):
        self.lay_out(RIGHT_AND_HIGHER)
        screens = self.screens
        with windows_version("win10"):
            program = Program("kolorowisko:12346")
            self.assertTrue(wait_for_tray_window())
            self.assertTrue(wait_until(lambda: (data_folder() / "12346.jpg").is_file(), 60))
            self.assertTrue(wait_until(
                lambda: any("id 12346: ok" in line for line in log_lines()), 60))
            requests = len(self.service.requests())
            thumbnails = sorted(p.name for p in thumbnails_folder().iterdir())

            layout = [(1280, 1024, 0, 0), (1920, 1080, 1280, 0), (1024, 768, 3200, 0)]
            screens.relayout(layout)
            # A burst, as Windows sends for a new arrangement: one re-fit once it has settled.
            for _ in range(3):
                driver("post", TRAY_CLASS, TRAY_TITLE, WM_DISPLAYCHANGE, 32, 1280 | 1024 << 16)
            self.assertTrue(wait_until(lambda: any(line.startswith("re-fitted")
                                                   for line in log_lines()), 30))
            time.sleep(2)
            self.assertEqual([line for line in log_lines() if line.startswith("re-fit")],
                             ["re-fitted to 3 screens"])
            self.assert_screens_show(layout, [self.picture(12346)] * 3, tiled=False)
            self.assertEqual(len(self.service.requests()), requests)
            self.assertEqual(sorted(p.name for p in thumbnails_folder().iterdir()), thumbnails)

            # The picture gone from the store: the desktop stays as it is, and the log says why.
            wall = (data_folder() / "wall.bmp").read_bytes()
            (data_folder() / "12346.jpg").unlink()
            screens.relayout(RIGHT_AND_HIGHER)
            driver("post", TRAY_CLASS, TRAY_TITLE, WM_DISPLAYCHANGE, 32, 0)
            self.assertTrue(wait_until(
                lambda: "re-fit failed: 12346.jpg cannot be read" in log_lines(), 30))
            self.assertEqual((data_folder() / "wall.bmp").read_bytes(), wall)
            program.stop()


if __name__ == "__main__":
    unittest.main()
