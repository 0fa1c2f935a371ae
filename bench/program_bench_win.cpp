// Times, from inside the Wine session, what a user of the running copy waits for; bench/program.py
// drives it. Each command prints "ms <milliseconds>" and exits with 0, or 1 when it failed.
//
//   program_bench start EXE ARGUMENT CLASS TITLE   from starting EXE (ARGUMENT "-": none) until
//                                                  its window CLASS/TITLE answers a sent message
//   program_bench send CLASS TITLE MSG WPARAM LPARAM   SendMessageA, which returns when the
//                                                  window has handled it
//   program_bench handoff EXE ARGUMENT             from starting EXE until it exits (exit code 0)
//   program_bench stop CLASS TITLE MSG             posts MSG and waits until the window's process
//                                                  has exited
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/scoped_win.h"
#include "tools/start_process_win.h"

namespace {

constexpr DWORD kPatienceMs = 120000;
constexpr DWORD kPollMs = 5;

using Clock = std::chrono::steady_clock;

int Report(Clock::time_point start, bool ok) {
  const std::chrono::duration<double, std::milli> spent = Clock::now() - start;
  std::printf("ms %.1f\n", spent.count());
  return ok ? 0 : 1;
}

// exe with argument, or with none when argument is "-".
ScopedKernelHandle StartProgram(const std::string& exe, const std::string& argument) {
  return StartProcess("\"" + exe + "\"" + (argument == "-" ? "" : " " + argument));
}

int Start(const std::string& exe, const std::string& argument, const char* windowClass,
          const char* title) {
  const Clock::time_point start = Clock::now();
  ScopedKernelHandle process = StartProgram(exe, argument);
  if (!process) return 1;
  HWND window = nullptr;
  while (!(window = ::FindWindowA(windowClass, title))) {
    // A copy that ended before showing its window will not show one.
    if (::WaitForSingleObject(process.Get(), kPollMs) == WAIT_OBJECT_0) return Report(start, false);
  }
  DWORD_PTR answer = 0;
  const bool answered =
      ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, &answer) != 0;
  return Report(start, answered);
}

int Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const Clock::time_point start = Clock::now();
  ::SendMessageA(window, message, wParam, lParam);
  return Report(start, true);
}

int HandOff(const std::string& exe, const std::string& argument) {
  const Clock::time_point start = Clock::now();
  ScopedKernelHandle process = StartProgram(exe, argument);
  if (!process || ::WaitForSingleObject(process.Get(), kPatienceMs) != WAIT_OBJECT_0) {
    return Report(start, false);
  }
  DWORD exitCode = 1;
  ::GetExitCodeProcess(process.Get(), &exitCode);
  return Report(start, exitCode == 0);
}

int Stop(HWND window, UINT message) {
  const Clock::time_point start = Clock::now();
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  ScopedKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
  const bool posted = ::PostMessageA(window, message, 0, 0) != 0;
  return Report(start, posted && process &&
                           ::WaitForSingleObject(process.Get(), kPatienceMs) == WAIT_OBJECT_0);
}

UINT Number(const char* text) { return static_cast<UINT>(std::strtol(text, nullptr, 10)); }

int Run(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "start" && argc == 6) return Start(argv[2], argv[3], argv[4], argv[5]);
  if (command == "handoff" && argc == 4) return HandOff(argv[2], argv[3]);
  if ((command == "send" && argc == 7) || (command == "stop" && argc == 5)) {
    HWND window = ::FindWindowA(argv[2], argv[3]);
    if (!window) {
      std::fprintf(stderr, "no window %s|%s\n", argv[2], argv[3]);
      return 1;
    }
    if (command == "stop") return Stop(window, Number(argv[4]));
    return Send(window, Number(argv[4]), Number(argv[5]),
                static_cast<LPARAM>(std::strtol(argv[6], nullptr, 10)));
  }
  std::fprintf(stderr, "usage: see the head of bench/program_bench_win.cpp\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) { return Run(argc, argv); }
