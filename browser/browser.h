// Settings window host: the window with the embedded web-browser control showing the settings
// page from the program's resources.
#pragma once

#include <windows.h>

class HTMLWindow;

// Shows the settings window, creating it (and its one object for the whole run) on first use.
void OpenSettingsWindow();

// The settings window's object; null while there is none.
HTMLWindow* CurrentHTMLWindow();

// Every message box of the settings window and its pages goes through here, so that tests can
// see the text and caption without a modal box blocking them. A null caption gives the system's
// own ("Error").
extern int(WINAPI* g_messageBox)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
