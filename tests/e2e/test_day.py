"""The automatic change through a day: the power and session messages that Windows sends to the
tray window, a sleep (the program's process stopped, so no tick arrives) and ticks that the
program did not set. Wine sends none of these by itself: the test sends them as Windows would."""
import os
import signal
import time
import unittest
from pathlib import Path

from harness import PREFIX, TRAY_CLASS, TRAY_TITLE, WM_TIMER, driver, log_lines, wait_until
from test_tray import TIMER_ID, TIMER_POOL, TrayTestCase

WM_POWERBROADCAST = 0x0218
PBT_APMRESUMESUSPEND = 7
PBT_APMRESUMEAUTOMATIC = 0x12
WM_WTSSESSION_CHANGE = 0x02B1
WTS_SESSION_LOCK = 7
WTS_SESSION_UNLOCK = 8
SESSION = 1
DELAYED_TIMER_ID = 952
# The delayed change waits 5 s; the stand-in service answers well within the rest.
DELAYED_CHANGE_S = 15
DAY = {"AUTO_CHANGE": "YES", "CHANGE_INTERVAL": "1", "CATEGORY": "2"}


def program_pid():
    """The Unix process of this run's kolorowisko.exe (other prefixes may run their own)."""
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            command = (entry / "cmdline").read_bytes().lower()
            environment = (entry / "environ").read_bytes().split(b"\0")
        except OSError:
            continue
        if (b"kolorowisko.exe" in command and b"driver.exe" not in command
                and f"WINEPREFIX={PREFIX}".encode() in environment):
            return int(entry.name)
    return None


class ADay(TrayTestCase):

    def start_day(self):
        self.start(DAY)
        self.log_start = len(log_lines())

    def day_lines(self):
        return [line for line in log_lines()[self.log_start:] if not line.startswith("layout:")]

    def wait_for_change(self):
        """Waits for the automatic change's line; then as long again as the delayed change waits,
        so that a second change would have come."""
        changed = wait_until(lambda: any(line.startswith("change (timer)")
                                         for line in self.day_lines()), DELAYED_CHANGE_S)
        time.sleep(6)
        return changed

    def assert_one_change(self, lines):
        self.assert_selections([TIMER_POOL])
        self.assertRegex(lines[-1], r"^change \(timer\) pool from the settings: ok, \d+ ms$")

    def test_locked_then_unlocked_twice_and_ticks_it_did_not_set(self):
        self.start_day()
        self.send(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0)
        self.send(WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, SESSION)
        self.tick()  # due by the count, but nobody sees the desktop
        self.send(WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, SESSION)
        self.send(WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, SESSION)
        self.assert_selections([])  # a few seconds later
        self.assertTrue(self.wait_for_change())
        for timer in [DELAYED_TIMER_ID, 1]:
            self.send(WM_TIMER, timer, 0)
        time.sleep(6)  # as long as a delayed change would wait
        lines = self.day_lines()
        self.assertEqual(lines[:-1], ["wake: the automatic change is not due yet",
                                      "automatic change postponed: the session is locked",
                                      "unlock: the automatic change is due"])
        self.assert_one_change(lines)

    def test_a_wake_after_the_interval_changes_once_a_few_seconds_later(self):
        self.start_day()
        pid = program_pid()
        self.assertIsNotNone(pid, "the program's process was not found")
        os.kill(pid, signal.SIGSTOP)  # asleep: the clock runs on, no tick arrives
        try:
            # The interval, a minute, passes on the clock since the window's creation.
            time.sleep(max(0.0, self.started + 61 - time.monotonic()))
            # Windows sends both after a wake the user started. Posted while the process sleeps,
            # they come before the timer's tick that fell due meanwhile, as Windows' sent
            # broadcast does.
            for event in [PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMESUSPEND]:
                driver("post", TRAY_CLASS, TRAY_TITLE, WM_POWERBROADCAST, event, 0)
        finally:
            os.kill(pid, signal.SIGCONT)
        self.assert_selections([])
        self.assertTrue(self.wait_for_change())
        lines = self.day_lines()
        self.assertEqual(lines[:-1], ["wake: the automatic change is due"])
        self.assert_one_change(lines)

    def tearDown(self):
        # The sleep ran past the real timer's first tick on purpose: the delayed change took it.
        self.started = time.monotonic()
        super().tearDown()


if __name__ == "__main__":
    unittest.main()
