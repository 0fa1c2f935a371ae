// Settings window host: the window with the embedded web-browser control showing the settings
// page from the program's resources (settings_window_win.h), the control's host objects and the
// window's one object, HTMLWindow (html_window_win.h), which forwards the control's events to the
// page session over the control's document (browser_document_win.h), and the drops it takes
// (file_drop_win.h).
#pragma once

#include <windows.h>

class HTMLWindow;

// Shows the settings window, creating it (and its one object for the whole run) on first use.
void OpenSettingsWindow();

// The settings window's object; null while there is none.
HTMLWindow* CurrentHTMLWindow();

// Posted by the browser's UI handler to the settings window when the page navigates to an
// "app://" address; the window blanks the page.
constexpr UINT WM_PAGE_APP_URL = WM_APP;
// Posted by the drop over the page when images dropped there wait to be applied.
constexpr UINT WM_PAGE_KEPT_DROPS = WM_APP + 1;
