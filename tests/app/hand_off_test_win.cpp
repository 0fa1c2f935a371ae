// The hand-off to a running copy that Windows refuses, as it does when that copy is elevated.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/startup.h"
#include "base/log.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder_win.h"
#include "support/seam_replacement.h"
#include "tray/tray.h"

namespace {

UINT g_sent = 0;
bool g_refuse = false;

// Windows refusing a normal process's message to an elevated one, or a running copy that took
// it (its handlers answer 0).
LRESULT WINAPI StandInWindows(HWND, UINT message, WPARAM, LPARAM) {
  g_sent = message;
  if (g_refuse) ::SetLastError(ERROR_ACCESS_DENIED);
  return 0;
}

TEST(HandOff, ARefusedHandOffIsToldToTheUserAndEndsWithCodeOne) {
  SeamReplacement<MessageSender> sender(SetHandOffSender, StandInWindows);
  const struct {
    const char* argument;
    bool refuse;
    UINT message;
    int exitCode;
  } kCases[] = {
      {"", true, WM_REMOTE_COMMAND, 1},          {"12345", true, WM_REMOTE_COMMAND, 1},
      {"http://h/a.jpg", true, WM_COPYDATA, 1},  {"12345", false, WM_REMOTE_COMMAND, 0},
      {"http://h/a.jpg", false, WM_COPYDATA, 0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.argument);
    MessageBoxRecorder boxes;
    g_refuse = c.refuse;
    g_sent = 0;
    ::DeleteFileA(LogFilePath().c_str());
    EXPECT_EQ(HandOffToRunningCopy(::GetDesktopWindow(), c.argument), c.exitCode);
    EXPECT_EQ(g_sent, c.message);
    EXPECT_EQ(boxes.Boxes().size(), c.exitCode == 0 ? 0u : 1u) << boxes.Describe();
    const std::string logged = "refused the hand-off of \"" + std::string(c.argument) + "\"";
    EXPECT_EQ(ReadFileBytes(LogFilePath()).find(logged) != std::string::npos, c.refuse);
  }
}

}  // namespace
