#include "wallpaper_list_fixture.h"

#include "base/scoped_win.h"
#include "support/file_bytes.h"
#include "support/test_picture.h"

WallpaperListTest::WallpaperListTest() {
  ::CreateDirectoryA(data_.c_str(), nullptr);
  ::CreateDirectoryA(thumbnails_.c_str(), nullptr);
  list_.SetFolders(data_, thumbnails_);
}

FILETIME WallpaperListTest::At(int minutes) {
  SYSTEMTIME moment = {2024, 5, 0, 17, 12, 0, 0, 0};
  FILETIME time;
  ::SystemTimeToFileTime(&moment, &time);
  ULARGE_INTEGER value = {{time.dwLowDateTime, time.dwHighDateTime}};
  value.QuadPart += static_cast<ULONGLONG>(minutes) * 60 * 10000000;
  return {value.LowPart, value.HighPart};
}

void WallpaperListTest::SetLastWriteTime(const std::string& path, const FILETIME& time) {
  ScopedFile file(::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << path;
  ASSERT_TRUE(::SetFileTime(file.Get(), nullptr, nullptr, &time));
}

void WallpaperListTest::Store(const std::string& name, int minutes) {
  StoreData(name);
  StoreThumbnail(name, minutes);
}

void WallpaperListTest::StoreData(const std::string& name) {
  ASSERT_TRUE(WriteFileBytes(DataPath(name), "picture"));
}

void WallpaperListTest::StoreThumbnail(const std::string& name, int minutes) {
  ASSERT_TRUE(WriteFileBytes(ThumbnailPath(name), "thumbnail"));
  SetLastWriteTime(ThumbnailPath(name), At(minutes));
}

void WallpaperListTest::StorePicture(const std::string& name, int width, int height,
                                     const CropRectangle& centre) {
  ASSERT_TRUE(WriteQuadrantPicture(DataPath(name), width, height, centre, L"image/jpeg"));
}

std::vector<std::string> WallpaperListTest::Names() const {
  std::vector<std::string> names;
  for (const WallpaperEntry& entry : list_.Entries()) names.push_back(entry.name);
  return names;
}
