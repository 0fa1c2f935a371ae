#include "system/notification_icon_win.h"

#include <shellapi.h>

#include "base/app_paths_win.h"

namespace {

NOTIFYICONDATAA g_icon;

void ShowIcon(const char* resource) {
  g_icon.hIcon = ::LoadIconA(AppInstance(), resource);
  ::Shell_NotifyIconA(NIM_MODIFY, &g_icon);
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

void AddTrayIcon() { ::Shell_NotifyIconA(NIM_ADD, &g_icon); }
void DeleteTrayIcon() { ::Shell_NotifyIconA(NIM_DELETE, &g_icon); }
void ShowBusyIcon() { ShowIcon("DOWNLOADICON"); }
void ShowIdleIcon() { ShowIcon("AMAINICON"); }
