"""Start-up: the hand-off to a running copy, and the tray icon of the first copy."""
import subprocess
import unittest

from harness import (FAKE_TRAY, TRAY_AREA, ProgramTestCase, Program, app_folder, crop,
                     data_folder, driver, launch, scratch_folder, screenshot, thumbnails_folder,
                     wait_for_tray_window, wait_until, windows_path, TRAY_CLASS, TRAY_TITLE)


def leftover_files():
    """Files a run leaves when it is killed while writing, and a data file the list does not
    hold, in each of the program's folders."""
    files = [app_folder() / "kol1A.tmp", data_folder() / "kol2B.tmp",
             thumbnails_folder() / "kol3C.tmp", data_folder() / "99.jpg"]
    for path in files:
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(b"half")
    return files


def hand_offs(log):
    return [line for line in log.read_text().splitlines() if line not in ("starting", "ready")]


class HandOffToRunningCopy(ProgramTestCase):
    """A second copy sends its argument to the running copy's window and exits with 0."""

    def setUp(self):
        super().setUp()
        self.log = scratch_folder(self) / "messages.log"
        self.fake = subprocess.Popen(["wine", str(FAKE_TRAY), windows_path(self.log)],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.assertTrue(wait_for_tray_window(), "the stand-in tray window did not appear")

    def tearDown(self):
        self.fake.kill()
        super().tearDown()

    def messages(self):
        return hand_offs(self.log)

    def hand_off(self, text):
        self.assertEqual(launch(text), 0)
        return self.messages()

    def test_numbers_go_as_remote_commands(self):
        self.assertEqual(self.hand_off("kolorowisko:12345"), ["remote 0 12345"])
        self.log.write_text("")
        self.assertEqual(self.hand_off('"kolorowisko:-1"'), ["remote 0 -1"])
        self.log.write_text("")
        self.assertEqual(self.hand_off("12 34"), ["remote 0 12"])

    def test_empty_argument_sends_zero(self):
        self.assertEqual(self.hand_off(""), ["remote 0 0"])
        self.log.write_text("")
        self.assertEqual(self.hand_off('"kolorowisko:"'), ["remote 0 0"])

    def test_link_goes_as_copy_data_with_its_nul(self):
        link = "http://127.0.0.1:9/obraz tapety.png"
        expected = (link.encode() + b"\0")
        self.assertEqual(self.hand_off(f'"kolorowisko:{link}"'),
                         [f"copydata 0 1 {len(expected)} {expected.hex()}"])
        self.log.write_text("")
        # A capital K is not the scheme: the whole text is a link.
        expected = b"Kolorowisko:5\0"
        self.assertEqual(self.hand_off("Kolorowisko:5"),
                         [f"copydata 0 1 {len(expected)} {expected.hex()}"])

    def test_leaves_the_running_copys_folders_alone(self):
        files = leftover_files()
        self.assertEqual(self.hand_off("kolorowisko:5"), ["remote 0 5"])
        self.assertEqual([path.name for path in files if not path.exists()], [])


class HandOffToAStartingCopy(ProgramTestCase):
    """A copy that starts while another is still starting (its window not yet there) does not
    run too: it waits for the other's window and hands off."""

    def test_waits_for_the_window_of_the_copy_that_holds_the_mutex(self):
        log = scratch_folder(self) / "messages.log"
        fake = subprocess.Popen(["wine", str(FAKE_TRAY), "late", windows_path(log)],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            self.assertTrue(wait_until(lambda: log.exists() and "starting" in log.read_text()))
            self.assertEqual(launch("kolorowisko:5", timeout_ms=20000), 0)
            self.assertEqual(hand_offs(log), ["remote 0 5"])
        finally:
            fake.kill()


class FirstCopy(ProgramTestCase):

    def tray_area(self, name):
        return crop(screenshot(name), TRAY_AREA)

    def test_shows_its_tray_icon_until_message_1148_ends_it(self):
        before = self.tray_area("tray-before-start.png")
        program = Program()
        self.assertTrue(wait_for_tray_window(), "no tray window")
        self.assertTrue(wait_until(lambda: self.tray_area("tray-running.png") != before, 15),
                        "no icon appeared in the notification area")

        self.assertEqual(program.stop(), 0)
        self.assertIsNone(driver("find", TRAY_CLASS, TRAY_TITLE, 0))
        self.assertTrue(wait_until(lambda: self.tray_area("tray-after-exit.png") == before, 15),
                        "the icon stayed in the notification area")

    def test_removes_what_a_killed_run_left_behind(self):
        files = leftover_files()
        program = Program()
        self.assertTrue(wait_for_tray_window(), "no tray window")
        self.assertEqual(program.stop(), 0)
        self.assertEqual([path.name for path in files if path.exists()], [])


if __name__ == "__main__":
    unittest.main()
