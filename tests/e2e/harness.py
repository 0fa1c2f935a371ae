"""Runs the program and the test tools under the Wine session that scripts/test started.

Everything here works on the one prefix of the run: the user's application folder, the registry
and the virtual desktop are shared, so the end-to-end tests run one at a time.
"""
import os
import pwd
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest
from pathlib import Path

BUILD = Path(os.environ["KOLOROWISKO_BUILD_DIR"])
SOURCE = Path(os.environ["KOLOROWISKO_SOURCE_DIR"])
PREFIX = Path(os.environ["WINEPREFIX"])
EXE = BUILD / "app" / "kolorowisko.exe"
DRIVER = BUILD / "tests" / "tools" / "driver.exe"
FAKE_TRAY = BUILD / "tests" / "tools" / "fake_tray.exe"
CHANGE_FROM_POOL = BUILD / "tests" / "tools" / "change_from_pool.exe"
ARTIFACTS = BUILD / "artifacts"

sys.path.insert(0, str(SOURCE / "tools" / "service"))
from service import StandInService, parse_host  # noqa: E402

TRAY_CLASS = "KolorowiskoMainWindow"
TRAY_TITLE = "KolorowiskO"
WM_TIMER = 0x0113
WM_TRAY_NOTIFY = 1143
WM_REMOTE_COMMAND = 1144
WM_STOP_REQUEST = 1148
SCREEN = (1920, 1080)
# The notification area sits at the right end of the virtual desktop's taskbar.
TRAY_AREA = (SCREEN[0] - 160, SCREEN[1] - 32, 160, 32)


SERVICE_SETTING = os.environ["KOLOROWISKO_SERVICE_HOST"]
REPORT_SETTING = os.environ["KOLOROWISKO_REPORT_HOST"]
# The build's scheme, its host name (localhost over https) and ports.
SERVICE_SCHEME, SERVICE_NAME, SERVICE_PORT = parse_host(SERVICE_SETTING)
REPORT_PORT = parse_host(REPORT_SETTING)[2]


def user_folder():
    return PREFIX / "drive_c" / "users" / pwd.getpwuid(os.getuid()).pw_name


def app_folder():
    return user_folder() / "AppData" / "Local" / "kolorowisko"


def scratch_folder(test):
    """A new empty folder inside the build tree, removed when the test ends, so that a run leaves
    nothing behind in the system's temporary folder."""
    root = BUILD / "scratch"
    root.mkdir(exist_ok=True)
    folder = Path(tempfile.mkdtemp(dir=root))
    test.addCleanup(shutil.rmtree, folder, ignore_errors=True)
    return folder


def windows_path(path):
    """The name Wine gives a Unix path (its Z: drive)."""
    return "Z:" + str(Path(path)).replace("/", "\\")


def wine(*args, timeout=60, check=False):
    return subprocess.run(["wine", *map(str, args)], capture_output=True, text=True,
                          timeout=timeout, check=check, errors="replace")


def driver(*args, timeout=60):
    """Runs one driver command; returns its standard output, or None when it failed."""
    result = wine(DRIVER, *args, timeout=timeout)
    return result.stdout if result.returncode == 0 else None


def screenshot(name):
    """Saves the whole virtual desktop as an artefact and returns its path."""
    ARTIFACTS.mkdir(parents=True, exist_ok=True)
    path = ARTIFACTS / name
    subprocess.run(["import", "-window", "root", str(path)], check=True, timeout=60)
    return path


def crop(path, area):
    """The raw RGB bytes of an (x, y, width, height) area of a screenshot."""
    x, y, width, height = area
    return subprocess.run(["convert", str(path), "-crop", f"{width}x{height}+{x}+{y}", "rgb:-"],
                          capture_output=True, check=True).stdout


def ensure_port_free(port):
    """A test build talks to 127.0.0.1:port; anything else listening there is a stranger."""
    with socket.socket() as probe:
        probe.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        try:
            probe.bind(("127.0.0.1", port))
        except OSError as error:
            raise AssertionError(
                f"port {port} on 127.0.0.1 is taken by another program ({error}); the test build "
                f"talks to that port, so this test refuses to run") from None


def read_config():
    path = app_folder() / "config.dat"
    if not path.exists():
        return None
    values = {}
    for line in path.read_bytes().decode("cp1250").split("\r\n"):
        if "=" in line:
            key, value = line.split("=", 1)
            values[key] = value
    return values


def write_config(values):
    app_folder().mkdir(parents=True, exist_ok=True)
    text = "".join(f"{k}={v}\r\n" for k, v in sorted(values.items(), key=lambda kv: kv[0].encode()))
    (app_folder() / "config.dat").write_bytes(text.encode("cp1250"))


def reg_query(key, value=None):
    """The data of a registry value as `reg query` shows it, or None when it is missing."""
    args = ["reg", "query", key] + (["/v", value] if value else ["/ve"])
    result = wine(*args)
    if result.returncode != 0:
        return None
    for line in result.stdout.splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) >= 2 and parts[1].startswith("REG_"):
            return parts[2] if len(parts) == 3 else ""
        if len(parts) >= 3 and parts[2].startswith("REG_"):  # "(Default)" shown as two words
            return parts[3] if len(parts) == 4 else ""
    return None


def reg_value(key, name=None):
    """A value under HKEY_CURRENT_USER\\key exactly as stored: (type, size, data bytes), or None
    when it is missing. No name means the key's default value."""
    answer = driver("regvalue", key, name if name is not None else "-")
    if answer is None:
        return None
    kind, size, data = (answer.split() + [""])[:3]
    return int(kind), int(size), bytes.fromhex(data)


def command_line(*args, exe=EXE):
    """The command line Windows would give the program for these argument texts, unquoted."""
    return " ".join([f'"{windows_path(exe)}"', *args])


def launch(text, wait=True, timeout_ms=120000, exe=EXE):
    """Starts the program with exactly this command line after its path (quotes kept as given).

    Waits and returns the exit code, or, with wait=False, returns the driver's process, which ends
    when the program does. exe names another copy of the program's file."""
    args = [str(DRIVER), "launch", command_line(text, exe=exe).encode("cp1250").hex(), timeout_ms]
    process = subprocess.Popen(["wine", *map(str, args)], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                               text=True)
    if not wait:
        return process
    process.communicate(timeout=timeout_ms / 1000 + 30)  # also closes its pipe
    return process.returncode


class Program:
    """One run of the program under Wine, started with an exact command-line text."""

    def __init__(self, text="", exe=EXE, timeout_ms=120000):
        """timeout_ms bounds the whole run: the driver that started the program stops waiting
        for it then."""
        self.process = launch(text, wait=False, timeout_ms=timeout_ms, exe=exe)

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, timeout=60):
        self.process.communicate(timeout=timeout)
        return self.process.returncode

    def stop(self, timeout=30):
        """Asks the program to end with message 1148; returns its exit code."""
        driver("post", TRAY_CLASS, TRAY_TITLE, WM_STOP_REQUEST, 0, 0)
        try:
            return self.wait_exit(timeout)
        finally:
            if self.process.poll() is None:
                self.process.kill()


def wait_for_tray_window(timeout_ms=30000):
    return driver("find", TRAY_CLASS, TRAY_TITLE, timeout_ms) is not None


def wait_until_idle(timeout=120):
    """Returns once the running copy answers a message sent to its window. A sent message is
    also answered while the program waits inside a call of its own (the notification area, the
    desktop's settings broadcast), so this does not mean that a change it is making is finished:
    stop_when_done tells that."""
    return driver("send", TRAY_CLASS, TRAY_TITLE, 0, 0, 0, timeout=timeout) is not None


def wait_until(condition, timeout=30, interval=0.1):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(interval)
    return condition()


def stop_when_done(timeout_ms=120000):
    """Asks the running copy to end and waits until its window is gone. The request is posted,
    and only the program's main loop takes posted messages, so whatever it was doing (its start-up
    action, a change) has finished by then."""
    driver("post", TRAY_CLASS, TRAY_TITLE, WM_STOP_REQUEST, 0, 0)
    return driver("gone", TRAY_CLASS, TRAY_TITLE, timeout_ms) is not None


def stop_every_program():
    """Leaves no copy of the program, no test tool and no message box behind."""
    driver("dialogs", "CLOSE")
    if driver("find", TRAY_CLASS, TRAY_TITLE, 0) is not None:
        stop_when_done(10000)
    wine("taskkill", "/f", "/im", "kolorowisko.exe")
    wine("taskkill", "/f", "/im", "fake_tray.exe")


def reset_user_state():
    """The state of a machine where the program never ran."""
    shutil.rmtree(app_folder(), ignore_errors=True)
    wine("reg", "delete", r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run", "/v", "KolorowiskO",
         "/f")
    wine("reg", "delete", r"HKCU\Software\Classes\kolorowisko", "/f")
    wine("reg", "delete", r"HKCR\kolorowisko", "/f")


class PageErrorDismisser:
    """Wine cannot show the settings page, and the program says so as the browser reports it: a
    "Navigate Error" box each time the settings window opens. On Windows the page loads. While a
    test runs, such boxes are dismissed as they come, as a user would, so that a message that
    opened the window returns."""

    def __init__(self):
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._run, daemon=True)
        self._thread.start()

    def _run(self):
        while not self._stop.wait(0.3):
            try:
                driver("dialogs", "CLOSE", "Navigate Error", timeout=10)
            except subprocess.TimeoutExpired:
                pass

    def stop(self):
        self._stop.set()
        self._thread.join()


class ProgramTestCase(unittest.TestCase):
    """Each test starts without a running copy and with a fresh user state."""

    def setUp(self):
        stop_every_program()
        reset_user_state()
        self.page_errors = PageErrorDismisser()

    def tearDown(self):
        self.page_errors.stop()
        stop_every_program()


def run_with_argument(text, timeout=120):
    """Starts the first copy with an argument, lets it carry the argument out (before its message
    loop starts) and ends it; returns the exit code."""
    program = Program(text)
    if not wait_for_tray_window():
        program.process.kill()
        raise AssertionError(f"no tray window for {text!r}")
    # Queued behind the start-up action: the program quits as soon as its loop starts.
    driver("post", TRAY_CLASS, TRAY_TITLE, WM_STOP_REQUEST, 0, 0)
    return program.wait_exit(timeout)


def data_folder():
    return app_folder() / "data"


def thumbnails_folder():
    return app_folder() / "thumbnails"


def desktop_wallpaper():
    """The wallpaper that the system's desktop settings name."""
    return reg_query(r"HKCU\Control Panel\Desktop", "Wallpaper")


def assert_applied(test, since, wallpaper_id=None):
    """A new wall.bmp was made since then (a time.time() value) and the desktop shows it; a
    wallpaper of the service is recorded as the current one."""
    with test.subTest("applied to the desktop"):
        test.assertGreaterEqual((data_folder() / "wall.bmp").stat().st_mtime, since)
        test.assertTrue(desktop_wallpaper().lower().endswith("\\kolorowisko\\data\\wall.bmp"))
        if wallpaper_id is not None:
            test.assertEqual(read_config()["CURRENT_ID"], str(wallpaper_id))


def snapshot_app_files():
    """Every file of the program's folder with its bytes: what a failed change must not touch
    (the diagnostics log aside, which tells of it)."""
    root = app_folder()
    return {path.relative_to(root): path.read_bytes() for path in root.rglob("*")
            if path.is_file() and not path.name.startswith("kolorowisko.log")}


def log_lines():
    """The diagnostics log's lines, each without its time."""
    text = (app_folder() / "kolorowisko.log").read_bytes().decode("utf-8")
    assert re.fullmatch(r"(\d{4}(-\d\d){2} \d\d(:\d\d){2} [^\r\n]*\r\n)*", text), text
    return [line[20:] for line in text.split("\r\n")[:-1]]


class ServiceTestCase(ProgramTestCase):
    """A test against the stand-in wallpaper service on the ports the test build talks to."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        ensure_port_free(SERVICE_PORT)
        ensure_port_free(REPORT_PORT)
        cls.service = StandInService.for_hosts(SERVICE_SETTING, REPORT_SETTING,
                                               cache_dir=BUILD / "service-cache").start()

    @classmethod
    def tearDownClass(cls):
        cls.service.stop()
        super().tearDownClass()

    def setUp(self):
        super().setUp()
        self.service.reset()

    def choose_next(self, wallpaper_id, name=None):
        """Makes the service's next selection answer name this wallpaper."""
        if name is None:
            name = self.service.catalogue.by_id[wallpaper_id].name
        self.service.set_fault("body", text=f"[id:{wallpaper_id}][zdjecie:{name}]", scope="select")
