"""Several monitors for the end-to-end tests: Debian's Xorg with the dummy video driver, its
outputs laid out with xrandr, and the run's Wine processes shown there, outside the virtual
desktop, so that Wine reports those monitors.

    with ScreensDisplay([(1920, 1080, 0, 200), (1600, 900, 1920, 0)]) as screens:
        program = harness.Program("")       # harness.wine, driver, launch, Program: unchanged
        ...
        screens.relayout([(1080, 1920, 0, 0)])   # running processes see it too

A monitor is (width, height, x, y) in X coordinates, which never go below 0; the first one is
the primary, and Windows puts its top left corner at 0,0: the layout above gives Windows
monitors at 0,0 and 1920,-200. Wine sends no WM_DISPLAYCHANGE for a relayout: a test that needs
one sends it itself, as Windows would.

While the display is open, os.environ's DISPLAY names it and WINEPREFIX a prefix of its own,
booted on it without a virtual desktop, with its own server; harness.PREFIX follows. So every
Wine process started meanwhile, by the harness or by hand, shows there and sees its monitors, and
the run's own prefix, its desktop and its server are never touched. Leaving ends that server and
every process of it, removes the prefix and gives both variables back: open the display in a
test class's set-up and leave it in its tear-down.

    with windows_version("win10"):   # what RtlGetVersion answers processes started meanwhile

Xorg needs root. It ends with the test process, however that ends.
"""
import atexit
import contextlib
import ctypes
import os
import shutil
import signal
import subprocess
import time
from pathlib import Path

import harness

QUIET = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}
OUTPUTS = 16  # the dummy driver's DUMMY0 ... DUMMY15

CONFIG = """\
Section "ServerFlags"
  # Never the machine's own keyboard or mouse.
  Option "AutoAddDevices" "false"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 512000
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 6000 4000
  EndSubSection
EndSection
"""


def free_display():
    """A display number that neither Xvfb of a run (:91 to :140) nor another X server uses."""
    for number in range(141, 241):
        if not os.path.exists(f"/tmp/.X11-unix/X{number}") and not os.path.exists(
                f"/tmp/.X{number}-lock"):
            return number
    raise RuntimeError("no free X display")


def modeline(width, height):
    """Timings of width x height at 60 Hz; the dummy driver takes any that add up."""
    total_width, total_height = width + 160, height + 30
    clock = total_width * total_height * 60 / 1e6
    return [f"{clock:.2f}", width, width + 48, width + 80, total_width,
            height, height + 3, height + 8, total_height, "+hsync", "-vsync"]


def _end_with_parent():
    # PR_SET_PDEATHSIG: the kernel ends Xorg when the test process dies, even by SIGKILL.
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGTERM)


class ScreensDisplay:
    """An Xorg display with these monitors, and the prefix's Wine processes on it."""

    def __init__(self, monitors):
        self.monitors = list(monitors)
        self.display = None
        self.folder = None
        self._xorg = None
        self._modes = set()
        self._saved = None
        self._keeper = None

    def __enter__(self):
        return self.start()

    def __exit__(self, *_):
        self.stop()

    @property
    def env(self):
        """The environment of a process on this display."""
        return dict(os.environ, DISPLAY=self.display)

    def start(self):
        atexit.register(self.stop)
        try:
            self._start_xorg()
            prefix = self.folder / "wineprefix"
            self._saved = {name: os.environ.get(name) for name in ("DISPLAY", "WINEPREFIX")}
            self._saved["PREFIX"] = harness.PREFIX
            os.environ.update(DISPLAY=self.display, WINEPREFIX=str(prefix))
            harness.PREFIX = prefix
            subprocess.run(["bash", "-c", 'source "$0" && wine_session_boot_prefix ""',
                            harness.SOURCE / "scripts" / "lib" / "wine_session.sh"],
                           stdin=subprocess.DEVNULL, **QUIET, timeout=300, check=True)
            # Wine's display cache follows X only while the desktop's explorer lives, and that
            # explorer ends with the desktop's last process: a process that waits on its input
            # keeps both, and ends when this one closes that input, dies or not. The explorer
            # keeps the output of the process that started it, so that one gets none: an
            # explorer holding a test's pipe would block it until its time-out.
            self._keeper = subprocess.Popen(["wine", "cmd", "/k"], stdin=subprocess.PIPE, **QUIET)
            subprocess.run(["wine", "rundll32.exe", "user32.dll,GetDesktopWindow"],
                           stdin=subprocess.DEVNULL, **QUIET, timeout=60)
            self.relayout(self.monitors)
        except BaseException:
            self.stop()
            raise
        return self

    def _start_xorg(self):
        number = free_display()
        self.display = f":{number}"
        self.folder = harness.BUILD / "screens" / f"X{number}"
        shutil.rmtree(self.folder, ignore_errors=True)
        self.folder.mkdir(parents=True)
        (self.folder / "xorg.conf").write_text(CONFIG)
        with open(self.folder / "xorg.out", "wb") as out:
            self._xorg = subprocess.Popen(
                ["Xorg", self.display, "-config", str(self.folder / "xorg.conf"), "-noreset",
                 "-nolisten", "tcp", "-novtswitch", "-sharevts",
                 "-logfile", str(self.folder / "xorg.log")],
                stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT,
                preexec_fn=_end_with_parent)
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline and self._xorg.poll() is None:
            if subprocess.run(["xdpyinfo"], env=self.env, capture_output=True).returncode == 0:
                return
            time.sleep(0.05)
        log = (self.folder / "xorg.out").read_text(errors="replace")[-2000:]
        raise RuntimeError(f"Xorg on {self.display} did not start:\n{log}")

    def xrandr(self, *args):
        return subprocess.run(["xrandr", *map(str, args)], env=self.env, capture_output=True,
                              text=True, timeout=30, check=True).stdout

    def relayout(self, monitors):
        """Lays the outputs out anew: monitors added, removed, moved or resized."""
        layout = []
        for index, (width, height, x, y) in enumerate(monitors):
            output, mode = f"DUMMY{index}", f"{width}x{height}_60"
            if mode not in self._modes:
                self.xrandr("--newmode", mode, *modeline(width, height))
                self._modes.add(mode)
            if (output, mode) not in self._modes:
                self.xrandr("--addmode", output, mode)
                self._modes.add((output, mode))
            layout += ["--output", output, "--mode", mode, "--pos", f"{x}x{y}"]
            layout += ["--primary"] if index == 0 else []
        for index in range(len(monitors), OUTPUTS):
            layout += ["--output", f"DUMMY{index}", "--off"]
        self.xrandr(*layout)
        # Only a full query probes the outputs: until then the dummy driver reports an output
        # that just got a mode as disconnected to what Wine asks, and Wine leaves it out.
        self.xrandr("--query")
        # A running process saw each new layout 15 to 60 ms after that, sometimes through a
        # passing state with one monitor less; Wine's desktop process takes the new layout in
        # later still, and a Wine process started or a display call made meanwhile may hang.
        time.sleep(2)
        self.monitors = list(monitors)

    def stop(self):
        """Ends the display's prefix and Xorg, and gives the run its own prefix back; safe to
        call again."""
        if self._keeper is not None:
            self._keeper.stdin.close()
            try:
                self._keeper.wait(10)
            except subprocess.TimeoutExpired:
                self._keeper.kill()
            self._keeper = None
        if self._saved is not None:
            subprocess.run(["wineserver", "-k"], stdin=subprocess.DEVNULL, **QUIET, timeout=60)
            harness.PREFIX = self._saved.pop("PREFIX")
            for name, value in self._saved.items():
                os.environ.pop(name, None)
                if value is not None:
                    os.environ[name] = value
            self._saved = None
        if self._xorg is not None:
            self._xorg.terminate()
            try:
                self._xorg.wait(10)
            except subprocess.TimeoutExpired:
                self._xorg.kill()
                self._xorg.wait()
            self._remove_leftovers()
            self._xorg = None
        if self.folder is not None:
            shutil.rmtree(self.folder, ignore_errors=True)
            self.folder = None
        atexit.unregister(self.stop)

    def _remove_leftovers(self):
        # A killed Xorg leaves its lock and socket; those of another server stay.
        number = self.display[1:]
        lock = f"/tmp/.X{number}-lock"
        with contextlib.suppress(OSError, ValueError):
            if int(Path(lock).read_text()) == self._xorg.pid:
                os.remove(lock)
                os.remove(f"/tmp/.X11-unix/X{number}")


@contextlib.contextmanager
def windows_version(name):
    """The Windows version that the prefix reports to processes started meanwhile ("win7",
    "win10", ...; None for Wine's default); the previous setting comes back after."""
    before = harness.reg_query(r"HKCU\Software\Wine", "Version")
    set_windows_version(name)
    try:
        yield
    finally:
        set_windows_version(before)


def set_windows_version(name):
    if name is None:
        harness.wine("reg", "delete", r"HKCU\Software\Wine", "/v", "Version", "/f")
    else:
        harness.wine("reg", "add", r"HKCU\Software\Wine", "/v", "Version", "/d", name, "/f",
                     check=True)

