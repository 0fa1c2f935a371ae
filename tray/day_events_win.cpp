#include <windows.h>

#include "system/machine_state_win.h"
#include "tray/tray.h"
#include "tray/tray_parts_win.h"
#include "wallpaper/wallpaper.h"

namespace {

void StartDelayedChange(HWND trayWindow) {
  ::SetTimer(trayWindow, kDelayedChangeTimerId, kDelayedChangeMs, nullptr);
}

}  // namespace

void WatchDayEvents(HWND trayWindow) {
  StartAutoChangeClock();
  WatchSessionLock(trayWindow);
}

void StopWatchingDayEvents(HWND trayWindow) {
  ::KillTimer(trayWindow, kDelayedChangeTimerId);
  StopWatchingSessionLock(trayWindow);
}

void OnPowerEvent(HWND trayWindow, WPARAM event) {
  // Windows sends both after a wake the user started; a wake by a timer sends the first alone.
  if (event != PBT_APMRESUMEAUTOMATIC && event != PBT_APMRESUMESUSPEND) return;
  if (AutoChangeDueAfterWake()) StartDelayedChange(trayWindow);
}

void OnSessionEvent(HWND trayWindow, WPARAM event) {
  if (event == WTS_SESSION_LOCK) {
    NoteSessionLocked();
  } else if (event == WTS_SESSION_UNLOCK && AutoChangeDueAfterUnlock()) {
    StartDelayedChange(trayWindow);
  }
}

void OnDelayedChangeTimer(HWND trayWindow) {
  ::KillTimer(trayWindow, kDelayedChangeTimerId);  // it runs once
  RunDelayedAutoChange();
}
