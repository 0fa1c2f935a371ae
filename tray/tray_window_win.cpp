#include "tray/tray.h"

#include "base/app_paths_win.h"
#include "browser/browser.h"
#include "tray/copy_data_text.h"
#include "tray/tray_parts_win.h"
#include "wallpaper/screens_win.h"
#include "wallpaper/wallpaper.h"

namespace {

UINT g_taskbarCreatedMessage = 0;
HMENU g_trayMenu = nullptr;

void StopProgram(HWND window) {
  ::KillTimer(window, kAutoChangeTimerId);
  ::KillTimer(window, kDisplayChangeTimerId);
  ::PostQuitMessage(0);
}

void OnCreate(HWND window) {
  // One menu for the whole run, however many windows the class gets.
  if (!g_trayMenu) g_trayMenu = BuildTrayMenu(AppInstance());
  ::SetTimer(window, kAutoChangeTimerId, kAutoChangeTimerPeriodMs, nullptr);
}

void OnTrayNotify(HWND window, WPARAM iconId, LPARAM mouseMessage) {
  if (iconId != kTrayIconId) return;
  if (mouseMessage == WM_LBUTTONDOWN) {
    OpenSettingsWindow();
  } else if (mouseMessage == WM_RBUTTONDOWN) {
    CarryOutTrayCommand(ChooseTrayMenuCommand(window, g_trayMenu));
  }
}

// Only the program's own timers count: any program on the desktop can post a WM_TIMER.
void OnTimer(HWND window, UINT_PTR timer) {
  if (timer == kAutoChangeTimerId) {
    ChangeWallpaperIfDue();
  } else if (timer == kDisplayChangeTimerId) {
    ::KillTimer(window, kDisplayChangeTimerId);
    RefitWallpaperToScreens();
  } else if (timer == kDelayedChangeTimerId) {
    OnDelayedChangeTimer(window);
  }
}

// A link from a second copy; the empty text asks for the settings window.
void OnCopyData(const COPYDATASTRUCT* block) {
  const std::string link = block ? CopyDataText(block->lpData, block->cbData) : std::string();
  if (link.empty()) {
    OpenSettingsWindow();
  } else {
    ChangeToLink(link, ChangeOrigin::SecondCopy);
  }
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == g_taskbarCreatedMessage && message != 0) {
    AddTrayIcon();  // the shell restarted: put the icon back
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      WatchDayEvents(window);
      return 0;
    case WM_DESTROY:
      StopWatchingDayEvents(window);
      StopProgram(window);
      return 0;
    case WM_CLOSE:
      ::ShowWindow(window, SW_HIDE);
      return 0;
    case WM_COPYDATA:
      OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
      return 0;
    case WM_TIMER:
      OnTimer(window, wParam);
      return 0;
    case WM_DISPLAYCHANGE:
      // Each message of the burst starts the wait again.
      ::SetTimer(window, kDisplayChangeTimerId, kDisplayChangeSettleMs, nullptr);
      return 0;
    case WM_POWERBROADCAST:
      OnPowerEvent(window, wParam);
      return TRUE;  // also grants a query, as the default handling does
    case WM_WTSSESSION_CHANGE:
      OnSessionEvent(window, wParam);
      return 0;
    case WM_TRAY_NOTIFY:
      OnTrayNotify(window, wParam, lParam);
      return 0;
    case WM_REMOTE_COMMAND:
      CarryOutNumber(static_cast<int>(lParam), NumberSource::SecondCopy);
      return 0;
    case WM_STOP_REQUEST:
      ::DestroyWindow(window);
      StopProgram(window);
      return 0;
    default:
      return ::DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

void SetTaskbarCreatedMessage(UINT message) { g_taskbarCreatedMessage = message; }

LRESULT CALLBACK TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // An exception must not unwind into the system's code that called the procedure.
  try {
    return HandleMessage(window, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}
