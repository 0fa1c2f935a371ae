// The diagnostics log as the program writes it, in a user folder of the test's own.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "base/app_paths_win.h"
#include "base/log.h"
#include "base/scoped_win.h"
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

TEST_F(Log, ACaughtExceptionIsLoggedWithWhereAndWhatWhenItTells) {
  try {
    throw std::runtime_error("no memory");
  } catch (...) {
    LogCaughtException("browser event");
  }
  try {
    throw 7;
  } catch (...) {
    LogCaughtException("settings window");
  }
  const std::string log = ReadFileBytes(log_);
  EXPECT_NE(log.find(" browser event: no memory caught\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find(" settings window: an unknown exception caught\r\n"), std::string::npos)
      << log;
}

// A viewer that holds the log without letting it be renamed.
ScopedFile HoldWithoutDeleteSharing(const std::string& path) {
  return ScopedFile(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

TEST_F(Log, ALogThatCannotBeRotatedStopsAtTheHardLimitAndSaysSoOnce) {
  WriteLog("first");
  ASSERT_TRUE(WriteFileBytes(log_, std::string(kLogLimitBytes - 10, 'a')));
  {
    const ScopedFile viewer = HoldWithoutDeleteSharing(log_);
    ASSERT_TRUE(viewer);
    WriteLog(std::string(5000, 'x'));
    WriteLog("second");
  }
  std::string log = ReadFileBytes(log_);
  EXPECT_FALSE(FileExists(log_ + ".1"));
  EXPECT_EQ(log.find("the log cannot become kolorowisko.log.1"), kLogLimitBytes - 10 + 20);
  EXPECT_TRUE(log.find(std::string(kMaxLogTextBytes, 'x') + " [...]\r\n") != std::string::npos)
      << "a long line is cut";
  EXPECT_TRUE(log.find(" second\r\n") != std::string::npos);

  ASSERT_TRUE(WriteFileBytes(log_, std::string(kLogHardLimitBytes - 30, 'b')));
  {
    const ScopedFile viewer = HoldWithoutDeleteSharing(log_);
    WriteLog("fits");
    WriteLog("dropped");
  }
  log = ReadFileBytes(log_);
  EXPECT_LE(log.size(), kLogHardLimitBytes);
  EXPECT_TRUE(log.find(" fits\r\n") != std::string::npos);
  EXPECT_EQ(log.find("dropped"), std::string::npos);
  EXPECT_EQ(log.find("cannot become"), std::string::npos) << "told once";
}

}  // namespace
