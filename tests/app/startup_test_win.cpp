// A start that cannot become the running copy nor hand off: it tells the user, and leaves the
// running copy's mutex free for the next start.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "app/startup.h"
#include "base/log.h"
#include "base/scoped_win.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder_win.h"
#include "support/seam_replacement.h"
#include "tray/tray.h"

namespace {

std::string LogAfter(int (*start)()) {
  ::DeleteFileA(LogFilePath().c_str());
  const int exitCode = start();
  EXPECT_EQ(exitCode, 1);
  return ReadFileBytes(LogFilePath());
}

// A copy that took the mutex and is slow to show its window, or is ending without it.
TEST(Startup, ACopyHoldingTheMutexWithoutAWindowIsToldAndTheLinkNotLostSilently) {
  SeamReplacement<DWORD> wait(SetStartingCopyWait, 1000);
  const ScopedKernelHandle taken(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  const ScopedKernelHandle release(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  std::thread holder([&] {
    const ScopedKernelHandle mutex(::CreateMutexA(nullptr, TRUE, kRunningCopyMutex));
    ::SetEvent(taken.Get());
    ::WaitForSingleObject(release.Get(), INFINITE);
    ::ReleaseMutex(mutex.Get());
  });
  ::WaitForSingleObject(taken.Get(), INFINITE);
  MessageBoxRecorder boxes;
  const std::string log =
      LogAfter([] { return RunProgram(::GetModuleHandleA(nullptr), "kolorowisko:5"); });
  ::SetEvent(release.Get());
  holder.join();
  EXPECT_NE(log.find("no running copy showed its window within 1 s, lost the hand-off of \"5\""),
            std::string::npos)
      << log;
  EXPECT_EQ(boxes.Boxes().size(), 1u) << boxes.Describe();
}

HANDLE g_mutexSeen = nullptr;

// The tray window's class as another window procedure made it: every window of it is refused.
LRESULT CALLBACK RefusingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_NCCREATE) return ::DefWindowProcA(window, message, wParam, lParam);
  g_mutexSeen = ::OpenMutexA(SYNCHRONIZE, FALSE, kRunningCopyMutex);
  ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return FALSE;
}

TEST(Startup, ATrayWindowThatCannotBeMadeIsToldAndFreesTheMutex) {
  WNDCLASSEXA refusing = {};
  refusing.cbSize = sizeof refusing;
  refusing.lpfnWndProc = RefusingProcedure;
  refusing.hInstance = ::GetModuleHandleA(nullptr);
  refusing.lpszClassName = kTrayWindowClass;
  ASSERT_TRUE(::RegisterClassExA(&refusing));
  MessageBoxRecorder boxes;
  // Were the start to go on without its window, its message loop ends at once.
  ::PostQuitMessage(0);
  const std::string log = LogAfter([] { return RunProgram(::GetModuleHandleA(nullptr), "0"); });
  EXPECT_NE(log.find("tray window not made: CreateWindowExA failed (error "), std::string::npos)
      << log;
  EXPECT_EQ(boxes.Boxes().size(), 1u) << boxes.Describe();
  ASSERT_NE(g_mutexSeen, nullptr);
  // Free for a copy in another thread (another process) at once, not only when this one ends.
  DWORD wait = WAIT_FAILED;
  std::thread next([&] { wait = ::WaitForSingleObject(g_mutexSeen, 2000); });
  next.join();
  EXPECT_EQ(wait, static_cast<DWORD>(WAIT_OBJECT_0));
  ::CloseHandle(g_mutexSeen);
  ::UnregisterClassA(kTrayWindowClass, ::GetModuleHandleA(nullptr));
}

}  // namespace
