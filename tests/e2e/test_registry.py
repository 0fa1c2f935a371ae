"""The start-with-Windows value and the "kolorowisko:" URL scheme in the registry."""
import shutil
import tempfile
import unittest
from pathlib import Path

from harness import (EXE, ProgramTestCase, Program, launch, reg_value, wait_for_tray_window, wine,
                     windows_path, write_config)

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
        program = Program(exe=exe)
        self.assertTrue(wait_for_tray_window(), "no tray window")
        self.assertEqual(program.stop(), 0)


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
        folder = Path(tempfile.mkdtemp()) / "Moje programy" / "Kolorowisko nowy"
        folder.mkdir(parents=True)
        self.addCleanup(shutil.rmtree, folder.parent.parent, ignore_errors=True)
        moved = folder / "kolorowisko.exe"
        shutil.copy(EXE, moved)

        self.run_first_copy(moved)
        self.assert_scheme_names(moved)
        # The start-up entry written by the first run names the old place and stays.
        self.assertEqual(reg_value(RUN_KEY, RUN_VALUE), string_value(windows_path(EXE)))


if __name__ == "__main__":
    unittest.main()
