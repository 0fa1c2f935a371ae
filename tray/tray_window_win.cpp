#include "tray/tray.h"

namespace {

UINT g_taskbarCreatedMessage = 0;

void StopProgram(HWND window) {
  ::KillTimer(window, kAutoChangeTimerId);
  ::PostQuitMessage(0);
}

}  // namespace

void SetTaskbarCreatedMessage(UINT message) { g_taskbarCreatedMessage = message; }

LRESULT CALLBACK TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == g_taskbarCreatedMessage && message != 0) {
    AddTrayIcon();  // the shell restarted: put the icon back
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      ::SetTimer(window, kAutoChangeTimerId, kAutoChangeTimerPeriodMs, nullptr);
      return 0;
    case WM_DESTROY:
      StopProgram(window);
      return 0;
    case WM_CLOSE:
      ::ShowWindow(window, SW_HIDE);
      return 0;
    case WM_STOP_REQUEST:
      ::DestroyWindow(window);
      StopProgram(window);
      return 0;
    default:
      return ::DefWindowProcA(window, message, wParam, lParam);
  }
}
