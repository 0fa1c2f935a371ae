// Starting a program as the shell does, for the test driver and the benchmarks.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

#include "base/scoped_win.h"

// The process that commandLine starts; empty, with the reason on standard error, when it cannot
// be started.
inline ScopedKernelHandle StartProcess(std::string commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    std::fprintf(stderr, "CreateProcess failed: %lu\n", ::GetLastError());
    return ScopedKernelHandle();
  }
  ScopedKernelHandle thread(process.hThread);
  return ScopedKernelHandle(process.hProcess);
}
