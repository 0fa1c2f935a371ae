// Application core: the process-wide objects, the per-user folders and the program's own path.
#pragma once

#include <windows.h>

#include <string>

class SettingsStore;
class WallpaperList;

// The one settings store, holding its defaults before WinMain runs.
SettingsStore& AppSettings();
// The one list of stored wallpapers (limit 500), empty until start-up loads it.
WallpaperList& AppWallpapers();
// Makes sure of the data and thumbnails folders, gives them to the list and loads it.
void LoadAppWallpapers();
// The module whose resources (icons, menu, pages) the program uses.
HINSTANCE AppInstance();
void SetAppInstance(HINSTANCE instance);

// The user's local application-data folder + "\kolorowisko", computed afresh on every call.
std::string AppFolderPath();
// Creates the folder when GetFileAttributesA does not find it; the outcome is not checked.
void EnsureFolder(const std::string& path);
// Each makes sure of AppFolder (and of its sub-folder) and returns the path, without a
// trailing backslash.
std::string EnsureAppFolder();
std::string EnsureDataFolder();
std::string EnsureThumbnailsFolder();
// AppFolder + "\config.dat".
std::string ConfigFilePath();
// Makes sure of AppFolder and saves the store (the program's own by default) to config.dat.
bool SaveAppSettings(const SettingsStore& store = AppSettings());

// The running program's file path; empty when the process's first module cannot be read.
std::string OwnExecutablePath();
