#include "system/notification_icon_win.h"

#include "base/app_paths_win.h"
#include "base/seam.h"

namespace {

constexpr UINT_PTR kAddAgainTimerId = 960;  // apart from the tray window's own timers, 950 to 952
constexpr UINT kAddAgainPeriodMs = 1000;

NOTIFYICONDATAA g_icon;
Seam<NotifyIconFunction> g_notifyIcon(::Shell_NotifyIconA);

bool Notify(DWORD message) { return g_notifyIcon.Get()(message, &g_icon) != FALSE; }

void CALLBACK AddAgain(HWND, UINT, UINT_PTR, DWORD) { AddTrayIcon(); }

void ShowIcon(const char* resource) {
  g_icon.hIcon = ::LoadIconA(AppInstance(), resource);
  if (!Notify(NIM_MODIFY)) AddTrayIcon();
}

}  // namespace

void InitTrayIcon(HWND window, const char* tip) {
  g_icon = NOTIFYICONDATAA{};
  g_icon.cbSize = NOTIFYICONDATAA_V1_SIZE;  // 88: the first-version record every shell accepts
  g_icon.hWnd = window;
  g_icon.uID = kTrayIconId;
  g_icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  g_icon.uCallbackMessage = WM_TRAY_NOTIFY;
  g_icon.hIcon = ::LoadIconA(AppInstance(), "AMAINICON");
  lstrcpynA(g_icon.szTip, tip, sizeof g_icon.szTip);
}

void AddTrayIcon() {
  // A time-out can come after the shell took the icon after all: then it can be changed.
  if (Notify(NIM_ADD) || Notify(NIM_MODIFY)) {
    ::KillTimer(g_icon.hWnd, kAddAgainTimerId);
  } else {
    ::SetTimer(g_icon.hWnd, kAddAgainTimerId, kAddAgainPeriodMs, AddAgain);
  }
}

void DeleteTrayIcon() {
  ::KillTimer(g_icon.hWnd, kAddAgainTimerId);
  Notify(NIM_DELETE);
}

void ShowBusyIcon() { ShowIcon("DOWNLOADICON"); }
void ShowIdleIcon() { ShowIcon("AMAINICON"); }

NotifyIconFunction SetNotifyIconFunction(NotifyIconFunction replacement) {
  return g_notifyIcon.Replace(replacement);
}
