#include <gtest/gtest.h>

#include <windows.h>
#include <gdiplus.h>

#include <cstring>

#include "app/scoped_gdiplus_win.h"
#include "wallpaper/image_file_win.h"
#include "wallpaper/wallpaper.h"

namespace {

TEST(FindEncoderClsid, FindsTheEncodersThatThePictureFilesNeed) {
  const ScopedGdiplus gdiplus = StartGdiplus();
  CLSID bmp = {};
  CLSID jpeg = {};
  EXPECT_GE(FindEncoderClsid(L"image/bmp", &bmp), 0);
  EXPECT_GE(FindEncoderClsid(L"image/jpeg", &jpeg), 0);
  EXPECT_FALSE(IsEqualCLSID(bmp, jpeg));

  CLSID untouched;
  std::memset(&untouched, 0xAB, sizeof untouched);
  CLSID clsid = untouched;
  EXPECT_EQ(FindEncoderClsid(L"image/BMP", &clsid), -1);  // the comparison is exact
  EXPECT_EQ(FindEncoderClsid(L"image/webp", &clsid), -1);
  EXPECT_TRUE(IsEqualCLSID(clsid, untouched));
}

TEST(DrawablePixelFormat, ReplacesOnlyTheFormatsThatGdiplusCannotDrawInto) {
  // Wine draws into every format, Windows does not: the choice is checked here, not by drawing.
  for (Gdiplus::PixelFormat format : {PixelFormat1bppIndexed, PixelFormat4bppIndexed,
                                      PixelFormat8bppIndexed, PixelFormat16bppGrayScale,
                                      PixelFormat16bppARGB1555, PixelFormatUndefined}) {
    EXPECT_EQ(DrawablePixelFormat(format), PixelFormat24bppRGB) << std::hex << format;
  }
  for (Gdiplus::PixelFormat format : {PixelFormat16bppRGB565, PixelFormat24bppRGB,
                                      PixelFormat32bppRGB, PixelFormat32bppARGB,
                                      PixelFormat32bppPARGB, PixelFormat48bppRGB}) {
    EXPECT_EQ(DrawablePixelFormat(format), format) << std::hex << format;
  }
}

}  // namespace
