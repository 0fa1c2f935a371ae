// The address of the settings page in the program's resources. Windows-free.
#pragma once

#include <string>

// "res://" + the program's path, escaped as a file address's, + "/opcje.html".
std::string SettingsPageAddress(const std::string& programPath);
