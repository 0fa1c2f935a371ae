// Notification area: the hidden tray window with its icon's menu and the automatic-change timer,
// and the numbers handed to the program on its command line or by a second copy; the machine's
// sleep, wake and lock reach the automatic change through it.
#pragma once

#include <windows.h>

#include "system/notification_icon_win.h"

constexpr UINT WM_REMOTE_COMMAND = WM_USER + 120;  // 1144: a number handed over by a second copy
constexpr UINT WM_STOP_REQUEST = WM_USER + 124;    // 1148: ends the program

constexpr char kTrayWindowClass[] = "KolorowiskoMainWindow";
constexpr char kTrayWindowTitle[] = "KolorowiskO";
constexpr UINT_PTR kAutoChangeTimerId = 950;
constexpr UINT kAutoChangeTimerPeriodMs = 60000;
// A display change comes as a burst of messages (each monitor, each step of a new arrangement):
// the desktop is drawn again once they have settled.
// Not 951: that is the icon's timer for adding it again (notification_icon_win.h), on the same
// window, and a timer of the same id would replace it.
constexpr UINT_PTR kDisplayChangeTimerId = 953;
constexpr UINT kDisplayChangeSettleMs = 1500;
// After a wake or an unlock, a due automatic change waits a few seconds: the network often comes
// back only after the wake.
constexpr UINT_PTR kDelayedChangeTimerId = 952;
constexpr UINT kDelayedChangeMs = 5000;

LRESULT CALLBACK TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The number of the registered "TaskbarCreated" message, for re-adding the icon.
void SetTaskbarCreatedMessage(UINT message);

// Where a number comes from: they differ only in what 0 means.
enum class NumberSource {
  CommandLine,  // 0 is a wallpaper id like any other
  SecondCopy,   // 0 asks for the settings window
};

// A number from the command line or a second copy: -5 to -1 draw from a pool, any other number
// is a wallpaper id (but see NumberSource for 0). Shows the busy icon meanwhile.
void CarryOutNumber(int value, NumberSource source);
