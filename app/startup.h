// The program's start: the single instance, the hand-off to a running copy, the message loop.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Held by the running copy for its whole run; one per user session.
constexpr char kRunningCopyMutex[] = "Local\\KolorowiskoRunningCopy";

// Everything WinMain does; returns the process exit code: non-zero when the program could not
// start or a hand-off was lost, after telling the user.
int RunProgram(HINSTANCE instance, const char* commandLine);
// How long a copy waits for the one that holds the running copy's mutex to show its window or to
// end; tests shorten it.
DWORD SetStartingCopyWait(DWORD waitMs);

// Sends a normalised argument to the running copy's tray window and waits until it is done; the
// exit code: 0, or 1 after telling the user that the running copy refused it or did not answer.
// Nothing, and nothing told, when the window went before it took the argument: that copy is
// ending.
std::optional<int> HandOffToRunningCopy(HWND runningWindow, const std::string& argument);
// The copy holding the mutex showed no window and did not end: the argument is lost. Tells the
// user; the exit code, 1.
int TellNoRunningCopyAnswered(const std::string& argument, DWORD waitedMs);
// How the hand-off reaches the running copy (SendMessageTimeoutA); tests stand in for Windows
// refusing it, or for a copy that does not answer.
using MessageSender = LRESULT(WINAPI*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT flags, UINT timeoutMs, PDWORD_PTR result);
MessageSender SetHandOffSender(MessageSender replacement);
