// A WallpaperList over a data and a thumbnails folder of its own, as start-up sets one up, with
// helpers that store files of chosen last-write times.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "image/image.h"
#include "recent/recent.h"
#include "support/gdiplus_test.h"
#include "support/temp_folder.h"

class WallpaperListTest : public GdiplusTest {
 protected:
  WallpaperListTest();

  // A fixed moment plus the minutes.
  static FILETIME At(int minutes);
  static void SetLastWriteTime(const std::string& path, const FILETIME& time);

  std::string DataPath(const std::string& name) const { return data_ + "\\" + name; }
  std::string ThumbnailPath(const std::string& name) const { return thumbnails_ + "\\" + name; }
  // A data file and its thumbnail, the thumbnail last written at At(minutes).
  void Store(const std::string& name, int minutes);
  void StoreData(const std::string& name);
  void StoreThumbnail(const std::string& name, int minutes);
  // A JPEG data file of the quadrant picture (support/test_picture.h) whose quadrants fill
  // `centre`.
  void StorePicture(const std::string& name, int width = 320, int height = 180,
                    const CropRectangle& centre = {0, 0, 320, 180});
  // The entries' names, in list order.
  std::vector<std::string> Names() const;

  TempFolder folder_;
  const std::string data_ = folder_.File("data");
  const std::string thumbnails_ = folder_.File("thumbnails");
  WallpaperList list_;
};
