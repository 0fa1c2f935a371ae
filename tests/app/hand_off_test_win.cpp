// The hand-off to a running copy that Windows refuses, as it does when that copy is elevated, or
// that does not answer within its bound: 420 s.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "app/startup.h"
#include "base/log.h"
#include "net/net.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder_win.h"
#include "support/seam_replacement.h"
#include "tray/tray.h"

namespace {

UINT g_sent = 0;
UINT g_flags = 0;
UINT g_timeoutMs = 0;
DWORD g_error = ERROR_SUCCESS;

// Windows refusing a normal process's message to an elevated one, a copy that did not answer in
// time, or one that took it (its handlers answer 0).
LRESULT WINAPI StandInWindows(HWND, UINT message, WPARAM, LPARAM, UINT flags, UINT timeoutMs,
                              PDWORD_PTR result) {
  g_sent = message;
  g_flags = flags;
  g_timeoutMs = timeoutMs;
  if (result) *result = 0;
  ::SetLastError(g_error);
  return g_error == ERROR_SUCCESS;
}

TEST(HandOff, ALostHandOffIsToldToTheUserAndEndsWithCodeOne) {
  SeamReplacement<MessageSender> sender(SetHandOffSender, StandInWindows);
  const struct {
    const char* argument;
    DWORD error;
    UINT message;
    const char* logged;  // null: nothing
  } kCases[] = {
      {"", ERROR_ACCESS_DENIED, WM_REMOTE_COMMAND, "refused the hand-off of \"\""},
      {"12345", ERROR_ACCESS_DENIED, WM_REMOTE_COMMAND, "refused the hand-off of \"12345\""},
      {"http://h/a.jpg", ERROR_ACCESS_DENIED, WM_COPYDATA, "refused the hand-off of \"http://h"},
      {"http://h/a.jpg", ERROR_TIMEOUT, WM_COPYDATA, "did not answer within 420 s the hand-off"},
      {"12345", ERROR_SUCCESS, WM_REMOTE_COMMAND, nullptr},
      {"http://h/a.jpg", ERROR_SUCCESS, WM_COPYDATA, nullptr},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.argument) + " " + std::to_string(c.error));
    MessageBoxRecorder boxes;
    g_error = c.error;
    g_sent = 0;
    ::DeleteFileA(LogFilePath().c_str());
    EXPECT_EQ(HandOffToRunningCopy(::GetDesktopWindow(), c.argument), c.logged ? 1 : 0);
    EXPECT_EQ(g_sent, c.message);
    // A hung copy is given up at once; a busy one is waited for through the longest change it
    // may make: a selection request and an image transfer, each up to its deadline.
    EXPECT_TRUE(g_flags & SMTO_ABORTIFHUNG);
    EXPECT_GT(g_timeoutMs, 2 * kFetchDeadline.count());
    EXPECT_EQ(boxes.Boxes().size(), c.logged ? 1u : 0u) << boxes.Describe();
    const std::string log = ReadFileBytes(LogFilePath());
    const std::string expected = c.logged ? c.logged : "hand-off";
    EXPECT_EQ(log.find(expected) != std::string::npos, c.logged != nullptr) << log;
  }
}

// A copy that is ending destroys its window first: the argument is neither lost nor told as lost,
// but left for this copy to carry out once that one has gone.
TEST(HandOff, AWindowThatWentLeavesTheArgumentToThisCopy) {
  MessageBoxRecorder boxes;
  const HWND gone =
      ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(::DestroyWindow(gone));
  EXPECT_EQ(HandOffToRunningCopy(gone, "5"), std::nullopt);
  EXPECT_EQ(boxes.Boxes().size(), 0u) << boxes.Describe();
}

// A copy busy with a change reads no message until it is done, and past 5 s Windows counts it as
// hung: the hand-off still reaches it once it reads its messages again.
TEST(HandOff, ACopyBusyLongerThanTheHungThresholdStillGetsTheHandOff) {
  MessageBoxRecorder boxes;
  HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HWND busy = nullptr;
  std::thread copy([&] {
    busy = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    MSG message;
    ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    ::SetEvent(ready);
    ::Sleep(7000);  // the change
    while (::IsWindow(busy) && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (message.message == WM_REMOTE_COMMAND) ::DestroyWindow(busy);
      ::DispatchMessageA(&message);
    }
  });
  ::WaitForSingleObject(ready, INFINITE);
  ::Sleep(5500);
  ASSERT_TRUE(::IsHungAppWindow(busy));
  EXPECT_EQ(HandOffToRunningCopy(busy, "12345"), 0);
  EXPECT_EQ(boxes.Boxes().size(), 0u) << boxes.Describe();
  ::PostMessageA(busy, WM_REMOTE_COMMAND, 0, 0);
  copy.join();
  ::CloseHandle(ready);
}

}  // namespace
