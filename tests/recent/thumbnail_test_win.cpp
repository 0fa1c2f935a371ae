#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include "base/path.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"
#include "support/test_picture.h"
#include "wallpaper_list_fixture.h"

namespace {

// A JPEG source and a JPEG thumbnail of 120 x 100: colours blend a little further from the
// edges than in the screen bitmap.
constexpr int kInset = 4;
constexpr int kTolerance = 60;

// Sources in formats that Windows' GDI+ cannot draw into, as ImageMagick writes them. A 48 x 40
// greyscale JPEG of grey 0x66, which GDI+ loads as 8-bit indexed:
constexpr char kGreyJpeg[] =
    "\xFF\xD8\xFF\xE0\x00\x10\x4A\x46\x49\x46\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xFF\xDB"
    "\x00\x43\x00\x03\x02\x02\x03\x02\x02\x03\x03\x03\x03\x04\x03\x03\x04\x05\x08\x05\x05\x04"
    "\x04\x05\x0A\x07\x07\x06\x08\x0C\x0A\x0C\x0C\x0B\x0A\x0B\x0B\x0D\x0E\x12\x10\x0D\x0E\x11"
    "\x0E\x0B\x0B\x10\x16\x10\x11\x13\x14\x15\x15\x15\x0C\x0F\x17\x18\x16\x14\x18\x12\x14\x15"
    "\x14\xFF\xC0\x00\x0B\x08\x00\x28\x00\x30\x01\x01\x11\x00\xFF\xC4\x00\x15\x00\x01\x01\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x07\xFF\xC4\x00\x14\x10\x01\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xFF\xDA\x00\x08\x01\x01\x00"
    "\x00\x3F\x00\x9D\x00\x00\x00\x00\x00\x00\x00\x0F\xFF\xD9";
// A 48 x 40 CMYK JPEG of red, as print shops and cameras' editing software save them:
constexpr char kCmykJpeg[] =
    "\xFF\xD8\xFF\xEE\x00\x0E\x41\x64\x6F\x62\x65\x00\x64\x00\x00\x00\x00\x02\xFF\xDB\x00\x43"
    "\x00\x03\x02\x02\x02\x02\x02\x03\x02\x02\x02\x03\x03\x03\x03\x04\x06\x04\x04\x04\x04\x04"
    "\x08\x06\x06\x05\x06\x09\x08\x0A\x0A\x09\x08\x09\x09\x0A\x0C\x0F\x0C\x0A\x0B\x0E\x0B\x09"
    "\x09\x0D\x11\x0D\x0E\x0F\x10\x10\x11\x10\x0A\x0C\x12\x13\x12\x10\x13\x0F\x10\x10\x10\xFF"
    "\xDB\x00\x43\x01\x03\x03\x03\x04\x03\x04\x08\x04\x04\x08\x10\x0B\x09\x0B\x10\x10\x10\x10"
    "\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10"
    "\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10\x10"
    "\x10\x10\xFF\xC0\x00\x14\x08\x00\x28\x00\x30\x04\x01\x11\x00\x02\x11\x01\x03\x11\x01\x04"
    "\x11\x00\xFF\xC4\x00\x16\x00\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x08\x09\xFF\xC4\x00\x14\x10\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\xFF\xC4\x00\x16\x01\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x07\x09\xFF\xC4\x00\x14\x11\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\xFF\xDA\x00\x0E\x04\x01\x00\x02\x11\x03\x11\x04\x00\x00\x3F\x00"
    "\xA2\x17\x36\x55\x35\x4C\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x01\xFF\xD9";

class Thumbnail : public WallpaperListTest {
 protected:
  Picture MakeFrom(const std::string& name, int width, int height, const CropRectangle& centre) {
    StorePicture(name, width, height, centre);
    list_.MakeThumbnail(name);
    return ReadPicture(ThumbnailPath(name));
  }
};

TEST_F(Thumbnail, OfAWideSourceLosesBothSides) {
  const Picture thumbnail = MakeFrom("1920.jpg", 1920, 1080, {312, 0, 1296, 1080});
  EXPECT_EQ(thumbnail.width, 120);
  EXPECT_EQ(thumbnail.height, 100);
  EXPECT_TRUE(ShowsQuadrants(thumbnail, kInset, kTolerance));
  EXPECT_EQ(ReadFileBytes(ThumbnailPath("1920.jpg")).substr(0, 2), "\xFF\xD8");  // a JPEG
}

TEST_F(Thumbnail, OfASquareSourceLosesTopAndBottom) {
  const Picture thumbnail = MakeFrom("1000.jpg", 1000, 1000, {0, 83, 1000, 834});
  EXPECT_EQ(thumbnail.width, 120);
  EXPECT_EQ(thumbnail.height, 100);
  EXPECT_TRUE(ShowsQuadrants(thumbnail, kInset, kTolerance));
}

TEST_F(Thumbnail, FromTheDecodedPictureIsTheFilesThumbnail) {
  StorePicture("wide.jpg", 1920, 1080, {312, 0, 1296, 1080});
  list_.MakeThumbnail("wide.jpg");
  const std::string fromFile = ReadFileBytes(ThumbnailPath("wide.jpg"));
  ScopedGdipBitmap picture = LoadImageFile(DataPath("wide.jpg"));
  ASSERT_TRUE(picture);
  list_.Add("wide.jpg", DrawThumbnail(picture.Get()).Get());
  EXPECT_NE(list_.Find("wide.jpg"), nullptr);
  EXPECT_EQ(ReadFileBytes(ThumbnailPath("wide.jpg")), fromFile);
}

TEST_F(Thumbnail, OfAGreyscaleOrCmykJpegIsMade) {
  const struct {
    const char* name;
    std::string bytes;
    Argb colour;
  } sources[] = {
      {"grey.jpg", std::string(kGreyJpeg, sizeof kGreyJpeg - 1), 0xFF666666},
      {"cmyk.jpg", std::string(kCmykJpeg, sizeof kCmykJpeg - 1), 0xFFFF0000},
  };
  for (const auto& source : sources) {
    SCOPED_TRACE(source.name);
    ASSERT_TRUE(WriteFileBytes(DataPath(source.name), source.bytes));
    list_.MakeThumbnail(source.name);
    const Picture thumbnail = ReadPicture(ThumbnailPath(source.name));
    ASSERT_EQ(thumbnail.width, 120);
    ASSERT_EQ(thumbnail.height, 100);
    for (int shift : {0, 8, 16}) {
      EXPECT_NEAR((thumbnail.At(60, 50) >> shift) & 0xFF, (source.colour >> shift) & 0xFF, 24);
    }
  }
}

TEST_F(Thumbnail, IsNotMadeFromASourceThatCannotBeReadButTheEntryStays) {
  StoreData("7.jpg");  // not a picture
  list_.Add("7.jpg");
  EXPECT_NE(list_.Find("7.jpg"), nullptr);
  EXPECT_FALSE(FileExists(ThumbnailPath("7.jpg")));
  EXPECT_THAT(TemporaryFilesIn(FolderOf(ThumbnailPath("7.jpg"))), testing::IsEmpty());
}

TEST(ThumbnailWithoutTheProgramsGdiplus, IsMadeInASessionOfItsOwn) {
  TempFolder folder;
  WallpaperList list;
  list.SetFolders(folder.Path(), folder.File("thumbnails"));
  {
    const ScopedGdiplus gdiplus = StartGdiplus();
    ASSERT_TRUE(
        WriteQuadrantPicture(folder.File("1.jpg"), 240, 200, {0, 0, 240, 200}, L"image/jpeg"));
  }
  // Also makes sure of the thumbnails folder.
  list.MakeThumbnail("1.jpg");

  const ScopedGdiplus gdiplus = StartGdiplus();
  EXPECT_TRUE(ShowsQuadrants(ReadPicture(folder.File("thumbnails\\1.jpg")), kInset, kTolerance));
}

}  // namespace
