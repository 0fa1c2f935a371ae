// The diagnostics log as the program writes it, in a user folder of the test's own.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
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

class Log : public ::testing::Test {
 protected:
  Log() { g_userFolder = folder_.Path(); }

  TempFolder folder_;
  SeamReplacement<FolderPathLookup> lookup_{SetFolderPathLookup, TestUserFolder};
  const std::string log_ = folder_.File("kolorowisko\\kolorowisko.log");
};

TEST_F(Log, PastTheLimitTheLogBecomesTheOneOlderFile) {
  WriteLog("first");
  for (const std::string fill : {"a", "b"}) {
    SCOPED_TRACE(fill);
    const std::string nearlyFull = ReadFileBytes(log_) + std::string(kLogLimitBytes - 40, fill[0]);
    ASSERT_TRUE(WriteFileBytes(log_, nearlyFull));
    WriteLog("next\tline");
    EXPECT_EQ(ReadFileBytes(log_ + ".1"), nearlyFull);
    EXPECT_EQ(ReadFileBytes(log_).substr(19), " next line\r\n");
  }
  // A log that cannot be written is left alone: here a folder stands where it would be.
  ::DeleteFileA(log_.c_str());
  ASSERT_TRUE(::CreateDirectoryA(log_.c_str(), nullptr));
  WriteLog("lost");
}

}  // namespace
