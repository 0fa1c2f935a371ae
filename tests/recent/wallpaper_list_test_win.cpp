#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/scoped_win.h"
#include "support/file_bytes.h"
#include "wallpaper_list_fixture.h"

namespace {

using NameList = std::vector<std::string>;

// A file time as one number, so that a failed comparison shows both.
ULONGLONG Ticks(const FILETIME& time) {
  return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// The "*.jpg" files of the folder in the order that the file system's search gives them.
NameList SearchOrder(const std::string& folder) { return FilesIn(folder, "*.jpg"); }

class LoadedList : public WallpaperListTest {};

TEST_F(LoadedList, Of501ThumbnailsLosesTheOldestPair) {
  // Names and times in different orders, so that the oldest is neither first nor last by name.
  for (int i = 0; i < 501; ++i) Store(std::to_string(i) + ".jpg", (i + 250) % 501);
  const std::string oldest = "251.jpg";

  list_.Load();

  EXPECT_EQ(list_.Entries().size(), 500u);
  EXPECT_EQ(list_.Find(oldest), nullptr);
  EXPECT_FALSE(FileExists(ThumbnailPath(oldest)));
  EXPECT_FALSE(FileExists(DataPath(oldest)));
  EXPECT_EQ(SearchOrder(thumbnails_).size(), 500u);
  EXPECT_EQ(SearchOrder(data_).size(), 500u);
  EXPECT_EQ(list_.Entries().front().name, "250.jpg");
  EXPECT_EQ(list_.Entries().back().name, "252.jpg");
}

TEST_F(LoadedList, PurgesDataFilesWithoutAThumbnailCustomJpgIncluded) {
  Store("1.jpg", 1);
  StoreData("99.jpg");
  StoreData("custom.jpg");
  StoreData("notes.txt");
  StoreData("wall.bmp");
  StoreData("kol1F.tmp");
  ASSERT_TRUE(::CreateDirectoryA(DataPath("folder.jpg").c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryA(ThumbnailPath("folder.jpg").c_str(), nullptr));
  // What Windows' file manager may keep in any folder is neither listed nor purged.
  for (const std::string& path : {DataPath("desktop.ini"), ThumbnailPath("desktop.ini")}) {
    ASSERT_TRUE(WriteFileBytes(path, "[.ShellClassInfo]\r\n"));
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  }

  list_.Load();

  EXPECT_EQ(Names(), (NameList{"1.jpg"}));
  EXPECT_TRUE(FileExists(DataPath("1.jpg")));
  EXPECT_FALSE(FileExists(DataPath("99.jpg")));
  EXPECT_FALSE(FileExists(DataPath("custom.jpg")));
  EXPECT_FALSE(FileExists(DataPath("notes.txt")));  // a picture name, whatever its extension
  EXPECT_TRUE(FileExists(DataPath("wall.bmp")));
  EXPECT_TRUE(FileExists(DataPath("kol1F.tmp")));
  EXPECT_TRUE(FileExists(DataPath("folder.jpg")));
  EXPECT_TRUE(FileExists(DataPath("desktop.ini")));
  EXPECT_TRUE(FileExists(ThumbnailPath("desktop.ini")));
}

TEST_F(LoadedList, FindsEveryNameItAcceptsAndComparesNamesAsTheFileSystemDoes) {
  Store("a b+\xE9.png", 3);
  Store("lower.jpg", 2);
  StoreData("stray.png");
  ASSERT_TRUE(::MoveFileA(DataPath("lower.jpg").c_str(), DataPath("LOWER.JPG").c_str()));

  list_.Load();

  EXPECT_EQ(Names(), (NameList{"a b+\xE9.png", "lower.jpg"}));
  EXPECT_FALSE(FileExists(DataPath("stray.png")));
  EXPECT_TRUE(FileExists(DataPath("lower.jpg")));  // its data file, in other letter case
  for (const char* name : {"LOWER.jpg", "Lower.JPG", "A B+\xC9.PNG"}) {
    EXPECT_NE(list_.Find(name), nullptr) << name;
  }

  // An entry of the same file in other letter case: dropping the older keeps the files.
  list_.Add("Lower.jpg");
  while (list_.Entries().size() > 1) list_.RemoveOldest();
  EXPECT_TRUE(FileExists(DataPath("lower.jpg")));
  EXPECT_TRUE(FileExists(ThumbnailPath("lower.jpg")));
}

TEST_F(LoadedList, FromAnEmptyOrMissingThumbnailsFolderIsEmptyAndPurgesAllData) {
  StoreData("1.jpg");
  StoreData("2.jpg");
  list_.Load();
  EXPECT_THAT(list_.Entries(), testing::IsEmpty());
  EXPECT_THAT(SearchOrder(data_), testing::IsEmpty());

  ASSERT_TRUE(::RemoveDirectoryA(thumbnails_.c_str()));
  StoreData("3.jpg");
  list_.Load();
  EXPECT_THAT(list_.Entries(), testing::IsEmpty());
  EXPECT_FALSE(FileExists(DataPath("3.jpg")));
}

TEST_F(LoadedList, KeepsTheSearchOrderOfThumbnailsOfEqualTime) {
  const NameList equal = {"m.jpg", "b.jpg", "x.jpg", "a.jpg", "k.jpg"};
  for (const std::string& name : equal) Store(name, 5);
  Store("new.jpg", 9);
  Store("old.jpg", 1);
  NameList expected = {"new.jpg"};
  for (const std::string& name : SearchOrder(thumbnails_)) {
    if (std::find(equal.begin(), equal.end(), name) != equal.end()) expected.push_back(name);
  }
  expected.push_back("old.jpg");

  list_.Load();
  EXPECT_EQ(Names(), expected);

  // A refreshed entry (a stored wallpaper set again) moves to the front; the rest keep order.
  WallpaperEntry* refreshed = list_.Find(expected[3]);
  ASSERT_NE(refreshed, nullptr);
  refreshed->time = At(10);
  list_.Sort();
  std::rotate(expected.begin(), expected.begin() + 3, expected.begin() + 4);
  EXPECT_EQ(Names(), expected);
}

// Add makes thumbnails: its data files are real pictures.
class AddToList : public WallpaperListTest {};

TEST_F(AddToList, TakesTheDataFilesTimeAndMakesTheThumbnail) {
  Store("1.jpg", 10);
  Store("2.jpg", 30);
  list_.Load();
  StorePicture("5.jpg");
  SetLastWriteTime(DataPath("5.jpg"), At(20));

  list_.Add("5.jpg");

  EXPECT_EQ(Names(), (NameList{"2.jpg", "5.jpg", "1.jpg"}));
  EXPECT_EQ(Ticks(list_.Find("5.jpg")->time), Ticks(At(20)));
  EXPECT_TRUE(FileExists(ThumbnailPath("5.jpg")));
}

TEST_F(AddToList, TwiceGivesTwoEntriesUntilTheNextStart) {
  Store("1.jpg", 10);
  list_.Load();
  StorePicture("5.jpg");
  list_.Add("5.jpg");
  list_.Add("5.jpg");
  EXPECT_EQ(Names(), (NameList{"5.jpg", "5.jpg", "1.jpg"}));
  EXPECT_EQ(list_.Find("5.jpg"), &list_.Entries().front());

  list_.Load();
  EXPECT_EQ(Names(), (NameList{"5.jpg", "1.jpg"}));
  EXPECT_TRUE(FileExists(DataPath("5.jpg")));
}

TEST_F(AddToList, BeyondTheLimitRemovesTheOldestPair) {
  for (int i = 0; i < 500; ++i) Store(std::to_string(i) + ".jpg", i);
  list_.Load();
  StorePicture("new.jpg");

  list_.Add("new.jpg");

  EXPECT_EQ(list_.Entries().size(), 500u);
  EXPECT_EQ(list_.Entries().front().name, "new.jpg");
  EXPECT_EQ(list_.Find("0.jpg"), nullptr);
  EXPECT_FALSE(FileExists(ThumbnailPath("0.jpg")));
  EXPECT_FALSE(FileExists(DataPath("0.jpg")));
  EXPECT_TRUE(FileExists(ThumbnailPath("new.jpg")));
}

TEST_F(AddToList, DataFileThatCannotBeReadCountsAsStoredNow) {
  Store("1.jpg", 10);
  list_.Load();
  FILETIME before;
  FILETIME after;
  ::GetSystemTimeAsFileTime(&before);
  list_.Add("gone.jpg");
  ::GetSystemTimeAsFileTime(&after);

  EXPECT_EQ(Names(), (NameList{"gone.jpg", "1.jpg"}));
  const FILETIME time = list_.Entries().front().time;
  EXPECT_GE(::CompareFileTime(&time, &before), 0);
  EXPECT_LE(::CompareFileTime(&time, &after), 0);
  EXPECT_FALSE(FileExists(ThumbnailPath("gone.jpg")));
}

}  // namespace
