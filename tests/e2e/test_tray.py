"""The tray window: the auto-change timer, the commands of a second copy, the busy icon and the
real mouse on the icon and its menu, against the stand-in wallpaper service."""
import base64
import subprocess
import time
import unittest

from PIL import Image, ImageChops, ImageDraw

from harness import (ServiceTestCase, Program, TRAY_AREA, TRAY_CLASS, TRAY_TITLE, WM_REMOTE_COMMAND,
                     WM_TIMER, assert_applied, data_folder, driver, log_lines, screenshot,
                     thumbnails_folder, wait_for_tray_window, wait_until, wait_until_idle,
                     write_config)

SETTINGS_CLASS = "Kolorowisko_konfig_html"
SETTINGS_TITLE = "Kolorowisko"
TIMER_ID = 950
JAN = {"USER": "jan", "AUTORIZATION": "8c1f2e9a5b7d", "SAVE": "NO"}
# The pool of the change timer when CATEGORY is "2": jan's favourite wallpapers.
TIMER_POOL = "pokaz=ulubione_tap&"
# A colour no screenshot holds, to mark the field that the icon stands in.
FIELD_MARK = (1, 2, 3)
MENU_ALL_POOL = "pokaz=all&"  # "Losuj z wszystkich tapet": all wallpapers, without the suffix


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=30)


class TrayTestCase(ServiceTestCase):
    """Each test runs the real program as the first copy; the program is started fresh, so its
    own one-minute timer never ticks before the test ends."""

    def start(self, config=None):
        write_config(dict(JAN, **(config or {})))
        xdotool("mousemove", 5, 5)  # no tooltip over the notification area
        self.program = Program()
        self.assertTrue(wait_for_tray_window(), "no tray window")
        # The window's own timer started with the window: its first tick is a minute away.
        self.started = time.monotonic()
        self.assertTrue(wait_until_idle(), "the program does not answer")
        self.service.clear_log()

    def tearDown(self):
        if hasattr(self, "program"):
            self.assertEqual(self.program.stop(), 0)
            # A real tick would have mixed its own change into what the test counted.
            self.assertLess(time.monotonic() - self.started, 55, "the test ran into a real tick")
        super().tearDown()

    def send(self, message, wparam, lparam):
        answer = driver("send", TRAY_CLASS, TRAY_TITLE, message, wparam, lparam, timeout=120)
        self.assertIsNotNone(answer, f"message {message} was not delivered")

    def tick(self):
        self.send(WM_TIMER, TIMER_ID, 0)

    def selections(self):
        return [entry["target"] for entry in self.service.requests(kind="select")]

    def assert_selections(self, pools):
        targets = self.selections()
        self.assertEqual(len(targets), len(pools), targets)
        for target, pool in zip(targets, pools):
            self.assertIn(pool, target)


class AutoChangeTimer(TrayTestCase):

    def test_changes_at_every_interval_read_from_config_dat(self):
        self.start({"AUTO_CHANGE": "YES", "CHANGE_INTERVAL": "3", "CATEGORY": "2"})
        for tick in range(1, 7):
            self.tick()
            self.assert_selections([TIMER_POOL] * (tick // 3))

    def test_never_changes_unless_the_flag_is_an_upper_case_yes(self):
        for flag in ["NO", "yes"]:
            with self.subTest(flag=flag):
                self.start({"AUTO_CHANGE": flag, "CHANGE_INTERVAL": "1"})
                for _ in range(3):
                    self.tick()
                self.assert_selections([])
                self.assertEqual(self.program.stop(), 0)


class RemoteCommands(TrayTestCase):

    def test_pool_numbers_draw_from_their_pools(self):
        self.start()
        pools = {-5: "pokaz=all&x=1920&y=1080&premiowane=tak&", -4: "pokaz=dodane_tap&x",
                 -3: "pokaz=ulubione_kat&x", -2: "pokaz=ulubione_tap&x",
                 -1: "pokaz=all&x=1920&y=1080&losowa"}
        for number, pool in pools.items():
            with self.subTest(number=number):
                self.service.clear_log()
                self.send(WM_REMOTE_COMMAND, 0, number)
                self.assert_selections([pool])

    def test_any_other_number_applies_that_wallpaper(self):
        self.start()
        since = time.time() - 2
        self.send(WM_REMOTE_COMMAND, 0, 12346)
        self.assertEqual([entry["target"] for entry in self.service.requests(kind="image")],
                         ["/program/pobierz_jpeg.php?id=12346"])
        assert_applied(self, since, 12346)

    def copy_data(self, text, byte_count=None):
        args = ["copydata", TRAY_CLASS, TRAY_TITLE, text]
        if byte_count is not None:
            args.append(byte_count)
        self.assertIsNotNone(driver(*args, timeout=120), "WM_COPYDATA was not delivered")

    def reported_links(self):
        return [base64.b64decode(entry["query"].split("&adres=", 1)[1])
                for entry in self.service.requests(kind="report")]

    def test_a_link_is_fetched_reported_and_applied(self):
        self.start()
        link = self.service.url("/files/small.png")
        since = time.time() - 2
        self.copy_data(link)
        self.assertEqual(self.reported_links(), [link.encode()])
        self.assertIn("change=ok&", self.service.requests(kind="report")[0]["query"])
        self.assertEqual((data_folder() / "custom.jpg").read_bytes(),
                         self.service.file_path("small.png").read_bytes())
        assert_applied(self, since)

    def test_a_block_without_its_zero_byte_is_read_only_within_cbdata(self):
        self.start()
        link = self.service.url("/files/small.png")
        # The driver's text goes on past the block; only cbData bytes belong to the link.
        self.copy_data(link + "#not-part-of-the-block", len(link))
        self.assertEqual(self.reported_links(), [link.encode()])
        self.assertEqual([entry["target"] for entry in self.service.requests(kind="file")],
                         ["/files/small.png"])

    def test_zero_and_the_empty_link_open_the_settings_window(self):
        self.start()
        for name, hand_off in [("remote 0", lambda: self.send(WM_REMOTE_COMMAND, 0, 0)),
                               ("empty link", lambda: self.copy_data(""))]:
            with self.subTest(name):
                hide_settings_window()
                hand_off()
                self.assertEqual(settings_windows(), [True])
        self.assertEqual(self.selections(), [])


def settings_windows():
    """Whether each settings window of the program is visible."""
    info = driver("info", TRAY_CLASS, TRAY_TITLE) or ""
    return [line.endswith("|1") for line in info.splitlines()
            if line.startswith(f"window {SETTINGS_CLASS}|")]


def hide_settings_window():
    driver("send", SETTINGS_CLASS, SETTINGS_TITLE, 0x0010, 0, 0)  # WM_CLOSE only hides it


class TrayScreen:
    """The tray icon and the tray menu as the screen shows them."""

    @staticmethod
    def shot(name):
        return Image.open(screenshot(name)).convert("RGB")

    @staticmethod
    def icon_box(shot):
        """The box of the program's icon in the notification area (the mouse is kept away, so no
        tooltip shows), or None. The icon stands in a field of the taskbar's colour that reaches
        the screen's bottom-right corner: the whole taskbar, or only the icon's own cell, since
        under wine64 Wine's desktop paints a new wallpaper over its own taskbar and only the cell
        of a changed icon is painted again. The icon is what that field surrounds."""
        x, y, width, height = TRAY_AREA
        area = shot.crop((x, y, x + width, y + height))
        marked = area.copy()
        ImageDraw.floodfill(marked, (width - 1, height - 1), FIELD_MARK, thresh=0)
        field = ImageChops.difference(marked, area).getbbox()
        if not field:
            return None
        inside = marked.crop(field)
        box = ImageChops.difference(inside, Image.new("RGB", inside.size, FIELD_MARK)).getbbox()
        return box and (box[0] + x + field[0], box[1] + y + field[1],
                        box[2] + x + field[0], box[3] + y + field[1])

    @staticmethod
    def icon(shot):
        """The icon's pixels, or None when the tray area shows no icon of the program."""
        box = TrayScreen.icon_box(shot)
        return box and shot.crop(box).tobytes()

    @staticmethod
    def menu_lines(shot, before, corner):
        """The rows where a long grey line that was not there before runs (the menu's frame at the
        top and bottom, its separators between), in the part of the screen above and left of
        corner, where the tray menu opens."""
        pixels, old = shot.load(), before.load()
        rows = []
        for y in range(max(0, corner[1] - 700), corner[1]):
            run = 0
            for x in range(max(0, corner[0] - 700), corner[0], 2):
                pixel = pixels[x, y]
                grey = pixel[0] == pixel[1] == pixel[2] and 100 <= pixel[0] <= 220
                run = run + 1 if grey and pixel != old[x, y] else 0
                if run >= 60:
                    rows.append((y, x))
                    break
        return rows


class TrayMouse(TrayTestCase):
    """xdotool drives the real mouse on the Wine desktop."""

    def start(self, config=None):
        super().start(config)
        self.assertTrue(wait_until(lambda: TrayScreen.icon_box(TrayScreen.shot("tray-idle.png")),
                                   15), "no icon in the notification area")
        left, top, right, bottom = TrayScreen.icon_box(TrayScreen.shot("tray-idle.png"))
        self.icon_centre = ((left + right) // 2, (top + bottom) // 2)

    def click_icon(self, button):
        xdotool("mousemove", *self.icon_centre, "click", button)

    def pick_draw_from_all(self):
        """Right-clicks the icon and clicks "Losuj z wszystkich tapet" in the menu."""
        before = TrayScreen.shot("tray-before-menu.png")
        self.click_icon(3)
        lines = []

        def menu_shown():
            lines[:] = TrayScreen.menu_lines(TrayScreen.shot("tray-menu.png"), before,
                                             self.icon_centre)
            return len(lines) == 5

        self.assertTrue(wait_until(menu_shown, 15), f"no menu with three separators: {lines}")
        # Between the first two separators stand the five draw items; the fourth draws from all.
        (first, x), (second, _) = lines[1], lines[2]
        xdotool("mousemove", x + 40, first + (second - first) * 7 // 10, "click", 1)

    def test_menu_draws_from_all_wallpapers(self):
        self.start()
        self.service.set_fault("body", text="[id:12346][zdjecie:12346.jpg]", scope="select")
        since = time.time() - 2
        self.pick_draw_from_all()
        self.service.wait_for_request(kind="image", timeout=30)
        self.assertEqual(self.program.stop(), 0)  # ends only once the change is finished
        self.assert_selections([MENU_ALL_POOL])
        self.assertNotIn("premiowane", self.selections()[0])
        assert_applied(self, since, 12346)
        screenshot("desktop-after-menu-change.png")

    def test_a_change_from_the_menu_restarts_the_count(self):
        self.start({"AUTO_CHANGE": "YES", "CHANGE_INTERVAL": "3", "CATEGORY": "2"})
        self.tick()
        self.tick()
        self.pick_draw_from_all()
        self.service.wait_for_request(kind="select", timeout=30)
        self.assertTrue(wait_until_idle())
        for _ in range(2):
            self.tick()
            self.assert_selections([MENU_ALL_POOL])
        self.tick()
        self.assert_selections([MENU_ALL_POOL, TIMER_POOL])

    def test_left_click_opens_one_settings_window(self):
        self.start()
        hide_settings_window()
        self.click_icon(1)
        self.assertTrue(wait_until(lambda: settings_windows() == [True], 30),
                        f"settings windows: {settings_windows()}")
        self.click_icon(1)
        self.assertTrue(wait_until_idle())
        self.assertEqual(settings_windows(), [True])


class OfflineAutoChange(TrayTestCase):
    """With the service switched off, the timer shows the stored wallpaper shown longest ago."""

    def start_with_store(self, *wallpapers):
        self.start({"AUTO_CHANGE": "YES", "CHANGE_INTERVAL": "1"})
        for wallpaper in wallpapers:
            self.choose_next(wallpaper)
            self.send(WM_REMOTE_COMMAND, 0, -1)
        self.service.reset()

    def changes(self, log, message=WM_TIMER, wparam=TIMER_ID, lparam=0):
        """Sends the message; true when it made a new wall.bmp. The log's last line must match."""
        wall = data_folder() / "wall.bmp"
        before = wall.stat().st_mtime_ns
        self.send(message, wparam, lparam)
        self.assertRegex(log_lines()[-1], rf"^change \({log}, \d+ ms$")
        return wall.stat().st_mtime_ns != before

    def test_rotates_through_the_store_until_the_service_answers_again(self):
        self.start_with_store(12346, 12348, 12350)
        self.service.stop()
        try:
            for oldest in [12346, 12348, 12350, 12346]:
                self.assertTrue(self.changes(rf"timer\) offline, stored {oldest}\.jpg: ok"))
                self.assertRegex(log_lines()[-2], "pool from the settings: failed, no connection")
            # A change the user asks for does not fall back.
            self.assertFalse(self.changes(r"second copy\) pool 1: failed, no connection",
                                          WM_REMOTE_COMMAND, 0, -1))
        finally:
            self.service.start()
        self.choose_next(12345)
        self.assertTrue(self.changes(r"timer\) pool from the settings: ok"))

    def test_a_refusal_or_a_store_of_one_changes_nothing(self):
        self.start_with_store(12346, 12348)
        self.service.set_fault("error", text="Brak tapet")
        self.assertFalse(self.changes(r'timer\) pool from the settings: failed, service error: '
                                      r'"Brak tapet"'))
        (thumbnails_folder() / "12346.jpg").unlink()  # one stored wallpaper after the restart
        self.program.stop()
        self.start_with_store()
        self.service.stop()
        try:
            self.assertFalse(self.changes(r"timer\) pool from the settings: failed, no connection"))
        finally:
            self.service.start()


class BusyIcon(TrayTestCase):

    def test_shows_while_the_service_delays_an_image(self):
        self.start({"AUTO_CHANGE": "YES", "CHANGE_INTERVAL": "1"})
        self.assertTrue(wait_until(lambda: TrayScreen.icon(TrayScreen.shot("tray-idle.png")), 15),
                        "no icon in the notification area")
        idle = TrayScreen.icon(TrayScreen.shot("tray-idle.png"))
        # Each change names a wallpaper that is not stored yet, so that it is downloaded.
        for name, message, wparam, lparam, wallpaper in [
                ("remote", WM_REMOTE_COMMAND, 0, -1, 12346), ("timer", WM_TIMER, TIMER_ID, 0, 12348)]:
            with self.subTest(name):
                self.service.reset()
                self.service.set_fault("body", text=f"[id:{wallpaper}][zdjecie:{wallpaper}.jpg]",
                                       scope="select")
                self.service.set_fault("slow", seconds=6, scope="image", count=1)
                driver("post", TRAY_CLASS, TRAY_TITLE, message, wparam, lparam)
                self.service.wait_for_request(kind="image", timeout=30)
                shot = f"tray-busy-{name}.png"
                self.assertTrue(wait_until(
                    lambda: TrayScreen.icon(TrayScreen.shot(shot)) not in (idle, None), 5),
                    "no busy icon during the download")
                self.assertTrue(wait_until_idle())
                self.assertTrue(wait_until(
                    lambda: TrayScreen.icon(TrayScreen.shot(f"tray-idle-after-{name}.png")) == idle,
                    5), "the idle icon did not come back")


if __name__ == "__main__":
    unittest.main()
