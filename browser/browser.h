// Settings window host: the window with the embedded web-browser control showing the settings
// page from the program's resources.
#pragma once

// Shows the settings window, creating it (and its one object for the whole run) on first use.
void OpenSettingsWindow();
