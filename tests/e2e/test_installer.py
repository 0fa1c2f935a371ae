"""kolorowisko-setup.exe: a silent install, the installed program, an update over the running
copy and a silent uninstall, in this order, each step starting where the last one ended."""
import os
import pwd
import shutil
import subprocess
import unittest

import pefile

from harness import (BUILD, DRIVER, EXE, TRAY_CLASS, TRAY_TITLE, app_folder, driver, read_config,
                     reg_query, reset_user_state, stop_every_program, user_folder,
                     wait_for_tray_window, wait_until, wine, write_config)

SETUP = BUILD / "installer" / "kolorowisko-setup.exe"
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kolorowisko"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
SCHEME_KEY = r"HKCU\Software\Classes\kolorowisko"
# What the user chose before the update; the installer must leave it alone.
SETTINGS = {"AUTO_START": "YES", "CHANGE_INTERVAL": "37", "CATEGORY": "1"}


def install_folder():
    return user_folder() / "AppData" / "Local" / "Programs" / "Kolorowisko"


def shortcut():
    return (user_folder() / "AppData" / "Roaming" / "Microsoft" / "Windows" / "Start Menu" /
            "Programs" / "Kolorowisko.lnk")


# The names the installer and the installed program see (drive C:, not the Unix path).
INSTALL_FOLDER = (r"C:\users\%s\AppData\Local\Programs\Kolorowisko"
                  % pwd.getpwuid(os.getuid()).pw_name)
INSTALLED_EXE = INSTALL_FOLDER + r"\kolorowisko.exe"


def product_version(path):
    pe = pefile.PE(str(path))
    for info in pe.FileInfo[0]:
        if info.Key == b"StringFileInfo":
            return info.StringTable[0].entries[b"ProductVersion"].decode()
    return None


def key_exists(key):
    return wine("reg", "query", key).returncode == 0


def run_setup():
    return wine(SETUP, "/S", timeout=180).returncode


def start_from_shortcut():
    # Not through wine(): the program would inherit its output pipes and hold them open.
    subprocess.run(["wine", "start", "/unix", str(shortcut())], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=60, check=True)


def program_running():
    return driver("find", TRAY_CLASS, TRAY_TITLE, 0) is not None


def remove_installation():
    shutil.rmtree(install_folder(), ignore_errors=True)
    shortcut().unlink(missing_ok=True)
    wine("reg", "delete", UNINSTALL_KEY, "/f")


class Installer(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        stop_every_program()
        reset_user_state()
        remove_installation()

    @classmethod
    def tearDownClass(cls):
        stop_every_program()
        remove_installation()
        reset_user_state()

    def test_1_silent_install_puts_everything_in_place(self):
        self.assertEqual(run_setup(), 0)
        self.assertEqual((install_folder() / "kolorowisko.exe").read_bytes(), EXE.read_bytes())
        self.assertTrue((install_folder() / "Uninstall.exe").is_file())
        self.assertTrue(shortcut().is_file())
        uninstaller = INSTALL_FOLDER + r"\Uninstall.exe"
        expected = {
            "DisplayName": "Kolorowisko",
            "DisplayVersion": product_version(EXE),
            "Publisher": "Kolorowisko",
            "DisplayIcon": INSTALLED_EXE + ",0",
            "InstallLocation": INSTALL_FOLDER,
            "UninstallString": f'"{uninstaller}"',
            "QuietUninstallString": f'"{uninstaller}" /S',
            "NoModify": "0x1",
            "NoRepair": "0x1",
        }
        for name, value in expected.items():
            with self.subTest(name):
                self.assertEqual(reg_query(UNINSTALL_KEY, name), value)
        installed_kb = sum(path.stat().st_size for path in install_folder().iterdir()) / 1024
        self.assertAlmostEqual(int(reg_query(UNINSTALL_KEY, "EstimatedSize"), 16), installed_kb,
                               delta=4)
        self.assertFalse(wait_until(program_running, timeout=3), "a silent install started it")

    def test_2_installed_program_registers_its_installed_path(self):
        write_config(SETTINGS)
        start_from_shortcut()
        self.assertTrue(wait_for_tray_window(), "the shortcut started no program")
        self.assertEqual(reg_query(SCHEME_KEY + r"\shell\open\command"), f'"{INSTALLED_EXE}" "%1"')
        self.assertEqual(reg_query(RUN_KEY, "KolorowiskO"), INSTALLED_EXE)

    def test_3_install_over_the_running_copy_replaces_it_and_keeps_the_settings(self):
        self.assertTrue(program_running(), "the program of the last step is not running")
        exe = install_folder() / "kolorowisko.exe"
        # A date far back, so that a file written by the update shows.
        os.utime(exe, (1e9, 1e9))
        self.assertEqual(run_setup(), 0)
        self.assertFalse(program_running(), "the running copy was not stopped")
        self.assertGreater(exe.stat().st_mtime, 1e9, "the program file was not replaced")
        self.assertEqual(exe.read_bytes(), EXE.read_bytes())
        self.assertEqual(read_config(), SETTINGS)

    def test_4_silent_uninstall_stops_the_program_and_keeps_the_data(self):
        start_from_shortcut()
        self.assertTrue(wait_for_tray_window(), "the shortcut started no program")
        quiet = reg_query(UNINSTALL_KEY, "QuietUninstallString")
        # As Windows runs it: the uninstaller copies itself away and returns at once.
        subprocess.run(["wine", DRIVER, "launch", quiet.encode("cp1250").hex(), "60000"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=90,
                       check=True)
        wait_until(lambda: not key_exists(SCHEME_KEY), timeout=60, interval=0.5)
        self.assertFalse(program_running(), "the running copy was not stopped")
        self.assertFalse(install_folder().exists())
        self.assertFalse(shortcut().exists())
        for key, value in [(UNINSTALL_KEY, None), (RUN_KEY, "KolorowiskO"), (SCHEME_KEY, None)]:
            with self.subTest(key=key, value=value):
                if value is None:
                    self.assertFalse(key_exists(key))
                else:
                    self.assertIsNone(reg_query(key, value))
        self.assertEqual(read_config(), SETTINGS)
        self.assertTrue((app_folder() / "data").is_dir())


if __name__ == "__main__":
    unittest.main()
