// System integration: the start-with-Windows entry and the "kolorowisko:" URL scheme, both under
// HKEY_CURRENT_USER; the program's icon in the notification area is in notification_icon_win.h;
// what the machine is doing (full-screen, battery saver, a metered connection, the session's lock)
// is in machine_state.h.
#pragma once

#include <string>

// Registers the Run value "KolorowiskO" when enabled and absent; removes it when not enabled.
void SetAutoStart(bool enabled);
// Writes the scheme's keys, its command naming this copy of the program.
void RegisterUrlScheme();
// "<path>" "%1": the quotes keep a path with spaces whole and pass the link as one argument.
// Windows-free.
std::string UrlSchemeCommand(const std::string& programPath);
