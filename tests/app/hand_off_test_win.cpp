// The hand-off to a running copy that Windows refuses, as it does when that copy is elevated.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/startup.h"
#include "support/message_box_recorder_win.h"
#include "support/seam_replacement.h"
#include "tray/tray.h"

namespace {

UINT g_sent = 0;

// What Windows answers a normal process that sends to an elevated one.
LRESULT WINAPI Refused(HWND, UINT message, WPARAM, LPARAM) {
  g_sent = message;
  ::SetLastError(ERROR_ACCESS_DENIED);
  return 0;
}

// A running copy that took the request; its handlers answer 0.
LRESULT WINAPI Taken(HWND, UINT message, WPARAM, LPARAM) {
  g_sent = message;
  return 0;
}

TEST(HandOff, ARefusedHandOffIsToldToTheUserAndEndsWithCodeOne) {
  const struct {
    const char* argument;
    MessageSender sender;
    UINT message;
    int exitCode;
  } kCases[] = {
      {"", Refused, WM_REMOTE_COMMAND, 1},
      {"12345", Refused, WM_REMOTE_COMMAND, 1},
      {"http://host/a.jpg", Refused, WM_COPYDATA, 1},
      {"12345", Taken, WM_REMOTE_COMMAND, 0},
      {"http://host/a.jpg", Taken, WM_COPYDATA, 0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.argument);
    MessageBoxRecorder boxes;
    SeamReplacement<MessageSender> sender(SetHandOffSender, c.sender);
    g_sent = 0;
    EXPECT_EQ(HandOffToRunningCopy(::GetDesktopWindow(), c.argument), c.exitCode);
    EXPECT_EQ(g_sent, c.message);
    EXPECT_EQ(boxes.Boxes().size(), c.exitCode == 0 ? 0u : 1u) << boxes.Describe();
  }
}

}  // namespace
