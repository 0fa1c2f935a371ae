// The start-with-Windows entry and the "kolorowisko:" URL scheme, both under HKEY_CURRENT_USER.
#pragma once

// Registers the Run value "KolorowiskO" when enabled and absent; removes it when not enabled.
void SetAutoStart(bool enabled);
// Writes the scheme's keys, its command naming this copy of the program.
void RegisterUrlScheme();
