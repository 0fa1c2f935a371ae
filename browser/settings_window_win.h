// The settings window's procedure: keeps the browser as large as the window, hides the window
// instead of closing it, hands Tab to the browser, takes dropped image files and the page's
// "app://" messages.
#pragma once

#include <windows.h>

#include <optional>

LRESULT CALLBACK SettingsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What the procedure does itself: its result, or nothing when the message goes on to
// DefWindowProcA (dropped files do both).
std::optional<LRESULT> HandleSettingsWindowMessage(HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam);
