// Notification area: the hidden tray window, its icon and menu, and the auto-change timer.
#pragma once

#include <windows.h>

#include "wallpaper/wallpaper.h"

constexpr UINT WM_TRAY_NOTIFY = WM_USER + 119;     // 1143: the icon's mouse messages
constexpr UINT WM_REMOTE_COMMAND = WM_USER + 120;  // 1144: a number handed over by a second copy
constexpr UINT WM_STOP_REQUEST = WM_USER + 124;    // 1148: ends the program

constexpr char kTrayWindowClass[] = "KolorowiskoMainWindow";
constexpr char kTrayWindowTitle[] = "KolorowiskO";
constexpr UINT kTrayIconId = 1234;
constexpr UINT_PTR kAutoChangeTimerId = 950;
constexpr UINT kAutoChangeTimerPeriodMs = 60000;

LRESULT CALLBACK TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The number of the registered "TaskbarCreated" message, for re-adding the icon.
void SetTaskbarCreatedMessage(UINT message);

// The tray icon record (first-version layout): filled once for the tray window, then only its
// icon changes.
void InitTrayIcon(HWND trayWindow);
void AddTrayIcon();
void DeleteTrayIcon();
void ShowBusyIcon();
void ShowIdleIcon();

// The busy icon for as long as the object lives: the idle icon comes back on every way out.
class BusyTrayIcon {
 public:
  BusyTrayIcon() { ShowBusyIcon(); }
  ~BusyTrayIcon() { ShowIdleIcon(); }
  BusyTrayIcon(const BusyTrayIcon&) = delete;
  BusyTrayIcon& operator=(const BusyTrayIcon&) = delete;
};

// A wallpaper change that the user asked for (tray menu, settings page): the next automatic change
// is a full interval away, and the busy icon shows while the change runs.
void ChangeWallpaperForUser(WallpaperPool pool, bool premium);

// A number from the command line or a second copy: -5 to -1 draw from a pool, 0 opens the
// settings window when zeroOpensSettings (a remote command), any other number is a wallpaper id.
// Shows the busy icon meanwhile.
void CarryOutNumber(int value, bool zeroOpensSettings);
