// Where the program keeps its files and who it is: the per-user folder AppFolder
// (%LOCALAPPDATA%\kolorowisko) with config.dat, "data" and "thumbnails", the program's own path
// and module. Folders are named without a trailing backslash.
#pragma once

#include <windows.h>

#include <string>

// AppFolder, computed afresh on every call. Empty when the system cannot say where the user's
// local application data is: then no file is read or written (paths joined to it are empty too)
// and the program runs on its defaults.
std::string AppFolderPath();
// The look-up of the user's folders (SHGetFolderPathA); tests make it fail.
using FolderPathLookup = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
FolderPathLookup SetFolderPathLookup(FolderPathLookup replacement);
// Creates the folder when GetFileAttributesA does not find it; the outcome is not checked.
// Nothing for an empty path.
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
