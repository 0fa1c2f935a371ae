// Where the program keeps its files and who it is: the per-user folder AppFolder
// (%LOCALAPPDATA%\kolorowisko) with config.dat, "data" and "thumbnails", the program's own path
// and module. Folders are named without a trailing backslash.
#pragma once

#include <windows.h>

#include <string>

// AppFolder, computed afresh on every call.
std::string AppFolderPath();
// Creates the folder when GetFileAttributesA does not find it; the outcome is not checked.
void EnsureFolder(const std::string& path);
// Each makes sure of AppFolder (and of its sub-folder) and returns the folder's path.
std::string EnsureAppFolder();
std::string EnsureDataFolder();
std::string EnsureThumbnailsFolder();
// AppFolder\config.dat.
std::string ConfigFilePath();

// The running program's file path; empty when the process's first module cannot be read.
std::string OwnExecutablePath();
// The module whose resources (icons, menu, pages) the program uses.
HINSTANCE AppInstance();
void SetAppInstance(HINSTANCE instance);
