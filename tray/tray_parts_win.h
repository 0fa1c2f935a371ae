// The pieces of the tray window's procedure, kept apart so that tests can reach them.
#pragma once

#include <windows.h>

// Loads the tray menu with its item bitmaps; the bitmaps live as long as the process.
HMENU BuildTrayMenu(HINSTANCE instance);
// Shows the menu's pop-up at the cursor and returns the chosen command id, 0 when dismissed.
UINT ChooseTrayMenuCommand(HWND trayWindow, HMENU menu);
// Carries out a command id of the tray menu; other ids do nothing. "Wyjście" destroys the tray
// window, which ends the program.
void CarryOutTrayCommand(HWND trayWindow, UINT command);

// The machine's day for the automatic change (day_events_win.cpp): the session's lock
// notifications from the window's creation to its destruction, WM_POWERBROADCAST's event,
// WM_WTSSESSION_CHANGE's event, and the delayed change's timer.
void WatchDayEvents(HWND trayWindow);
void StopWatchingDayEvents(HWND trayWindow);
void OnPowerEvent(HWND trayWindow, WPARAM event);
void OnSessionEvent(HWND trayWindow, WPARAM event);
void OnDelayedChangeTimer(HWND trayWindow);
