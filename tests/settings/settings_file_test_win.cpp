#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include "base/app_paths_win.h"
#include "base/log.h"
#include "base/scoped_win.h"
#include "base/whole_file_win.h"
#include "settings/settings.h"
#include "support/file_bytes.h"
#include "support/seam_replacement.h"
#include "support/temp_folder.h"
#include "support/user_state_win.h"

namespace {

constexpr char kOldText[] = "USER=old\r\nLOGEDIN=YES\r\n";

SettingsStore ChangedStore() {
  SettingsStore store;
  store.Set("USER", "new");
  return store;
}

TEST(SettingsFile, SaveWritesExactlyTheLinesAndLoadReadsThemBack) {
  TempFolder folder;
  const std::string path = folder.File("config.dat");
  SettingsStore store = ChangedStore();
  store.Set("FOO", "1");
  ASSERT_TRUE(store.Save(path));
  EXPECT_EQ(ReadFileBytes(path), store.ToText());
  EXPECT_THAT(TemporaryFilesIn(folder.Path()), testing::IsEmpty());

  SettingsStore reloaded;
  ASSERT_TRUE(reloaded.Load(path));
  EXPECT_EQ(reloaded.ToText(), store.ToText());
}

TEST(SettingsFile, SaveReplacesAnExistingFile) {
  TempFolder folder;
  const std::string path = folder.File("config.dat");
  ASSERT_TRUE(WriteFileBytes(path, std::string(5000, 'x')));
  SettingsStore store;
  ASSERT_TRUE(store.Save(path));
  EXPECT_EQ(ReadFileBytes(path), store.ToText());
}

TEST(SettingsFile, MissingFileLoadsNothing) {
  TempFolder folder;
  SettingsStore store;
  EXPECT_FALSE(store.Load(folder.File("config.dat")));
  EXPECT_EQ(store.ToText(), SettingsStore().ToText());
}

TEST(SettingsFile, SaveThatCannotReplaceALockedFileKeepsItWhole) {
  TempFolder folder;
  const std::string path = folder.File("config.dat");
  ASSERT_TRUE(WriteFileBytes(path, kOldText));
  ScopedFile lock(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(lock);

  EXPECT_FALSE(ChangedStore().Save(path));
  lock.Reset();
  EXPECT_EQ(ReadFileBytes(path), kOldText);
  EXPECT_THAT(TemporaryFilesIn(folder.Path()), testing::IsEmpty());
}

DWORD WINAPI CloseAfterAMoment(void* file) {
  ::Sleep(150);
  ::CloseHandle(file);
  return 0;
}

TEST(SettingsFile, SaveWaitsForAReaderThatHoldsTheFileForAMoment) {
  TempFolder folder;
  const std::string path = folder.File("config.dat");
  ASSERT_TRUE(WriteFileBytes(path, kOldText));
  // As a virus scanner does: opened without sharing, let go 150 ms later.
  HANDLE lock = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  ScopedKernelHandle release(::CreateThread(nullptr, 0, CloseAfterAMoment, lock, 0, nullptr));
  ASSERT_TRUE(release);

  EXPECT_TRUE(ChangedStore().Save(path));
  ::WaitForSingleObject(release.Get(), INFINITE);
  EXPECT_EQ(ReadFileBytes(path), ChangedStore().ToText());
  EXPECT_THAT(TemporaryFilesIn(folder.Path()), testing::IsEmpty());
}

BOOL WINAPI FailingWrite(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED) {
  // Half the text reaches the disk, then the disk is full.
  ::WriteFile(file, data, size / 2, written, nullptr);
  ::SetLastError(ERROR_DISK_FULL);
  return FALSE;
}

TEST(SettingsFile, FailedWriteKeepsThePreviousFileWhole) {
  TempFolder folder;
  const std::string path = folder.File("config.dat");
  ASSERT_TRUE(WriteFileBytes(path, kOldText));
  {
    SeamReplacement<WriteFileFunction> failing(SetWriteFileFunction, FailingWrite);
    EXPECT_FALSE(ChangedStore().Save(path));
  }
  EXPECT_EQ(ReadFileBytes(path), kOldText);
  EXPECT_THAT(TemporaryFilesIn(folder.Path()), testing::IsEmpty());
}

TEST(SettingsFile, SaveIntoAMissingFolderFails) {
  TempFolder folder;
  EXPECT_FALSE(SettingsStore().Save(folder.File("no such folder\\config.dat")));
}

HRESULT WINAPI NoFolder(HWND, int, HANDLE, DWORD, LPSTR) { return E_FAIL; }

TEST(SettingsFile, WithoutTheUsersFolderNothingIsReadOrWritten) {
  TempFolder current;
  char previous[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(::SetCurrentDirectoryA(current.Path().c_str()));
  SeamReplacement<FolderPathLookup> lookup(SetFolderPathLookup, NoFolder);

  EXPECT_EQ(AppFolderPath(), "");
  EXPECT_FALSE(SaveAppSettings(ChangedStore()));
  LoadAppSettings();
  const bool rootFolderMade = ::GetFileAttributesA("\\kolorowisko") != INVALID_FILE_ATTRIBUTES;
  ::SetCurrentDirectoryA(previous);
  EXPECT_FALSE(rootFolderMade);
  EXPECT_THAT(TemporaryFilesIn(current.Path()), testing::IsEmpty());
}

BOOL WINAPI ReadFailingPartWay(HANDLE file, LPVOID buffer, DWORD size, LPDWORD got, LPOVERLAPPED) {
  if (::SetFilePointer(file, 0, nullptr, FILE_CURRENT) == 0) {
    return ::ReadFile(file, buffer, size < 4 ? size : 4, got, nullptr);
  }
  *got = 0;
  ::SetLastError(ERROR_IO_DEVICE);
  return FALSE;
}

enum class Obstacle { None, Missing, HeldForAMoment, HeldThroughout, ReadFailsPartWay };

TEST(SettingsFile, AFileThatCannotBeReadWholeIsWaitedForAndNeverWrittenOver) {
  UserStateGuard user;
  const SettingsStore saved = AppSettings();
  const std::string path = ConfigFilePath();
  const struct {
    const char* label;
    Obstacle obstacle;
    bool read;
  } kCases[] = {
      {"readable", Obstacle::None, true},
      {"missing", Obstacle::Missing, true},
      {"held for a moment", Obstacle::HeldForAMoment, true},
      {"held throughout", Obstacle::HeldThroughout, false},
      {"read fails part-way", Obstacle::ReadFailsPartWay, false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.label);
    AppSettings() = SettingsStore();
    EnsureAppFolder();
    ::DeleteFileA(LogFilePath().c_str());
    ASSERT_TRUE(c.obstacle == Obstacle::Missing ? ::DeleteFileA(path.c_str()) != 0
                                                : WriteFileBytes(path, kOldText));
    HANDLE lock = c.obstacle == Obstacle::HeldForAMoment || c.obstacle == Obstacle::HeldThroughout
                      ? ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr)
                      : nullptr;
    ScopedKernelHandle release(c.obstacle == Obstacle::HeldForAMoment
                                   ? ::CreateThread(nullptr, 0, CloseAfterAMoment, lock, 0, nullptr)
                                   : nullptr);
    {
      SeamReplacement<ReadFileFunction> read(
          SetReadFileFunction,
          c.obstacle == Obstacle::ReadFailsPartWay ? ReadFailingPartWay : ::ReadFile);
      EXPECT_EQ(LoadAppSettings(), c.read);
    }
    EXPECT_EQ(
        ReadFileBytes(LogFilePath()).find("config.dat could not be read") != std::string::npos,
        !c.read);
    // Let go before the save: only the failed load may keep the save away.
    if (release) ::WaitForSingleObject(release.Get(), INFINITE);
    if (c.obstacle == Obstacle::HeldThroughout) ::CloseHandle(lock);
    std::string user;
    AppSettings().GetString("USER", user);
    EXPECT_EQ(user, c.read && c.obstacle != Obstacle::Missing ? "old" : "");

    EXPECT_EQ(SaveAppSettings(ChangedStore()), c.read);
    EXPECT_EQ(ReadFileBytes(path), c.read ? ChangedStore().ToText() : kOldText);
  }
  AppSettings() = saved;
  LoadAppSettings();
}

}  // namespace
