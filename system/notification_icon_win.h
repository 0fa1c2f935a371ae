// The program's icon in the notification area: one first-version record, filled once for the tray
// window, after which only its icon changes. Every wallpaper change the user asked for shows the
// busy icon while it runs.
#pragma once

#include <windows.h>
#include <shellapi.h>

constexpr UINT WM_TRAY_NOTIFY = WM_USER + 119;  // 1143: the icon's mouse messages
constexpr UINT kTrayIconId = 1234;

// The record for window, with the idle icon and tip as its hover text.
void InitTrayIcon(HWND window, const char* tip);
// A shell that is still starting (a slow logon) may refuse the icon and send no "TaskbarCreated"
// later: until it takes the icon, adding is tried again every second on a timer of the window.
void AddTrayIcon();
void DeleteTrayIcon();
// Each puts the icon back when it has gone.
void ShowBusyIcon();
void ShowIdleIcon();

// Shell_NotifyIconA; tests stand in for a shell that refuses or loses the icon.
using NotifyIconFunction = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAA record);
NotifyIconFunction SetNotifyIconFunction(NotifyIconFunction replacement);

// The busy icon for as long as the object lives: the idle icon comes back on every way out.
class BusyTrayIcon {
 public:
  BusyTrayIcon() { ShowBusyIcon(); }
  ~BusyTrayIcon() { ShowIdleIcon(); }
  BusyTrayIcon(const BusyTrayIcon&) = delete;
  BusyTrayIcon& operator=(const BusyTrayIcon&) = delete;
};
