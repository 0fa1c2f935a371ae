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
