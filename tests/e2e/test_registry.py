"""The start-with-Windows value and the "kolorowisko:" URL scheme in the registry."""
import shutil
import subprocess
import time
import unittest

from harness import (EXE, ProgramTestCase, Program, ServiceTestCase, assert_applied, launch,
                     reg_query, reg_value, scratch_folder, stop_when_done,
                     wait_for_tray_window, wine, windows_path, write_config)

RUN_KEY = r"Software\Microsoft\Windows\CurrentVersion\Run"
RUN_VALUE = "KolorowiskO"
SCHEME_KEY = r"Software\Classes\kolorowisko"
COMMAND_KEY = SCHEME_KEY + r"\shell\open\command"
REG_SZ = 1


def string_value(text):
    """How a REG_SZ value of this ANSI text is stored: its bytes and the terminating NUL."""
    data = text.encode("cp1250") + b"\0"
    return REG_SZ, len(data), data


def set_run_value(text):
    wine("reg", "add", "HKCU\\" + RUN_KEY, "/v", RUN_VALUE, "/t", "REG_SZ", "/d", text, "/f",
         check=True)


class RegistryTestCase(ProgramTestCase):

    def run_first_copy(self, exe=EXE):
        """Starts the program (no argument), waits for its window, and stops it again."""
        run_first_copy(self, exe)


def run_first_copy(test, exe=EXE):
    program = Program(exe=exe)
    test.assertTrue(wait_for_tray_window(), "no tray window")
    test.assertEqual(program.stop(), 0)


class StartWithWindows(RegistryTestCase):

    def test_yes_writes_the_bare_path_when_the_value_is_absent(self):
        write_config({"AUTO_START": "YES"})
        self.run_first_copy()
        self.assertEqual(reg_value(RUN_KEY, RUN_VALUE), string_value(windows_path(EXE)))

    def test_yes_leaves_a_value_with_an_old_path_alone(self):
        old = r"C:\Program Files\Stary Kolorowisko\kolorowisko.exe"
        set_run_value(old)
        write_config({"AUTO_START": "YES"})
        self.run_first_copy()
        self.assertEqual(reg_value(RUN_KEY, RUN_VALUE), string_value(old))

    def test_no_removes_the_value_also_in_a_copy_that_only_hands_off(self):
        set_run_value(windows_path(EXE))
        write_config({"AUTO_START": "NO"})
        program = Program()
        self.assertTrue(wait_for_tray_window(), "no tray window")
        self.assertIsNone(reg_value(RUN_KEY, RUN_VALUE))

        set_run_value(windows_path(EXE))
        self.assertEqual(launch("kolorowisko:-7"), 0)
        self.assertTrue(program.running(), "the first copy ended on the hand-off")
        self.assertIsNone(reg_value(RUN_KEY, RUN_VALUE))
        self.assertEqual(program.stop(), 0)


class UrlScheme(RegistryTestCase):

    def assert_scheme_names(self, exe):
        self.assertEqual(reg_value(SCHEME_KEY), string_value("URL:Kolorowisko protocol"))
        self.assertEqual(reg_value(SCHEME_KEY, "URL Protocol"), string_value(""))
        self.assertEqual(reg_value(COMMAND_KEY), string_value(f'"{windows_path(exe)}" "%1"'))

    def test_keys_hold_the_scheme_and_the_quoted_command(self):
        self.run_first_copy()
        self.assert_scheme_names(EXE)

    def test_a_moved_program_in_a_folder_with_spaces_rewrites_the_command(self):
        self.run_first_copy()
        folder = scratch_folder(self) / "Moje programy" / "Kolorowisko nowy"
        folder.mkdir(parents=True)
        moved = folder / "kolorowisko.exe"
        shutil.copy(EXE, moved)

        self.run_first_copy(moved)
        self.assert_scheme_names(moved)
        # The start-up entry written by the first run names the old place and stays.
        self.assertEqual(reg_value(RUN_KEY, RUN_VALUE), string_value(windows_path(EXE)))



def copy_scheme_to_classes_root(folder):
    """Copies the scheme's keys, unchanged, to where Windows' merged view of the classes shows
    them and where Wine looks when it opens a URL (it does not merge HKCU's classes in)."""
    exported = folder / "scheme.reg"
    wine("reg", "export", "HKCU\\" + SCHEME_KEY, exported, "/y", check=True)
    text = exported.read_bytes().decode("utf-16")
    moved = text.replace("[HKEY_CURRENT_USER\\Software\\Classes\\kolorowisko",
                         "[HKEY_CLASSES_ROOT\\kolorowisko")
    (folder / "moved.reg").write_bytes(moved.encode("utf-16"))
    wine("reg", "import", folder / "moved.reg", check=True)


class LinkOpenedBySystem(ServiceTestCase):

    def test_a_link_starts_the_program_through_its_registered_command(self):
        run_first_copy(self)
        folder = scratch_folder(self)
        copy_scheme_to_classes_root(folder)
        command = r"HKCR\kolorowisko\shell\open\command"
        self.assertEqual(reg_query(command), f'"{windows_path(EXE)}" "%1"')
        self.assertEqual(reg_query(r"HKCR\kolorowisko", "URL Protocol"), "")

        since = time.time() - 2
        # Not through wine(): the program would inherit its output pipes and hold them open.
        opened = subprocess.run(["wine", "start", "kolorowisko:12345"], stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL, timeout=60)
        self.assertEqual(opened.returncode, 0)
        self.assertTrue(wait_for_tray_window(), "the link started no program")
        self.assertTrue(stop_when_done(), "the program did not end")
        self.assertEqual([entry["target"] for entry in self.service.requests(kind="image")],
                         ["/program/pobierz_jpeg.php?id=12345"])
        assert_applied(self, since, 12345)


if __name__ == "__main__":
    unittest.main()
