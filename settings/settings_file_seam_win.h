// What the settings file code lets tests replace or know.
#pragma once

#include <windows.h>

#include <string>

// The write of a save's text; tests swap in a failing one.
extern BOOL(WINAPI* g_settingsWriteFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);

// Where Save writes before it replaces path; a copy left by a crash is removed at start-up.
std::string SettingsTemporaryPath(const std::string& path);
