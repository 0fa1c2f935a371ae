// The diagnostics log as the program writes it, in a user folder of the test's own.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <regex>
#include <string>

#include "base/app_paths_win.h"
#include "base/log.h"
#include "support/file_bytes.h"
#include "support/seam_replacement.h"
#include "support/temp_folder.h"

namespace {

std::string g_userFolder;

HRESULT WINAPI TestUserFolder(HWND, int, HANDLE, DWORD, LPSTR path) {
  std::strcpy(path, g_userFolder.c_str());
  return S_OK;
}

HRESULT WINAPI NoUserFolder(HWND, int, HANDLE, DWORD, LPSTR) { return E_FAIL; }

class Log : public ::testing::Test {
 protected:
  Log() { g_userFolder = folder_.Path(); }

  TempFolder folder_;
  SeamReplacement<FolderPathLookup> lookup_{SetFolderPathLookup, TestUserFolder};
  const std::string log_ = folder_.File("kolorowisko\\kolorowisko.log");
};

TEST_F(Log, LinesAreAppendedWholeAfterTheLocalTime) {
  ASSERT_EQ(LogFilePath(), log_);
  WriteLog("one");
  WriteLog("two\nlines");
  const std::regex lines(
      "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d one\r\n"
      "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d two lines\r\n");
  EXPECT_TRUE(std::regex_match(ReadFileBytes(log_), lines)) << ReadFileBytes(log_);
}

TEST_F(Log, PastTheLimitTheLogBecomesTheOneOlderFile) {
  WriteLog("first");
  for (const char* fill : {"a", "b"}) {
    SCOPED_TRACE(fill);
    const std::string full(kLogLimitBytes - 5, *fill);
    ASSERT_TRUE(WriteFileBytes(log_, full));
    WriteLog("next");
    EXPECT_EQ(ReadFileBytes(log_ + ".1"), full);
    EXPECT_EQ(ReadFileBytes(log_).substr(19), " next\r\n");
  }
}

TEST_F(Log, ALogThatCannotBeWrittenIsLeftAlone) {
  ::CreateDirectoryA(folder_.File("kolorowisko").c_str(), nullptr);
  ASSERT_TRUE(::CreateDirectoryA(log_.c_str(), nullptr));  // a folder where the log would be
  WriteLog("lost");
  SeamReplacement<FolderPathLookup> noFolder(SetFolderPathLookup, NoUserFolder);
  WriteLog("lost");
  EXPECT_EQ(LogFilePath(), "");
}

}  // namespace
