// The program's start: the single instance, the hand-off to a running copy, the message loop.
#pragma once

#include <windows.h>

#include <string>

// Everything WinMain does; returns the process exit code.
int RunProgram(HINSTANCE instance, const char* commandLine);

// Sends a normalised argument to the running copy's tray window and waits until it is done; the
// exit code: 0, or 1 after telling the user that the running copy refused it.
int HandOffToRunningCopy(HWND runningWindow, const std::string& argument);
// How the hand-off reaches the running copy (SendMessageA); tests stand in for Windows refusing.
using MessageSender = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
MessageSender SetHandOffSender(MessageSender replacement);
