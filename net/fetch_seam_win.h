// What the HTTP transfer lets tests replace.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <chrono>

// A transfer fails when no byte has arrived for this long. WinINet's own time-outs are set to it
// too, but Wine ignores them, so the transfer keeps its own watch.
constexpr std::chrono::milliseconds kFetchIdleBound{30000};
// The bound in force; tests shorten it so that a stalled server fails a test in seconds.
extern std::chrono::milliseconds g_fetchIdleBound;

// The WinINet calls that tests replace, to see the address a fetch opens or to make reads fail.
struct WinInetCalls {
  decltype(&::InternetOpenUrlA) openUrl = ::InternetOpenUrlA;
  decltype(&::InternetReadFile) readFile = ::InternetReadFile;
};
extern WinInetCalls g_winInetCalls;
