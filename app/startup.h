// The program's start: the single instance, the hand-off to a running copy, the message loop.
#pragma once

#include <windows.h>

#include <string>

// Everything WinMain does; returns the process exit code.
int RunProgram(HINSTANCE instance, const char* commandLine);

// Sends a normalised argument to the running copy's tray window and waits until it is done.
void HandOffToRunningCopy(HWND runningWindow, const std::string& argument);
