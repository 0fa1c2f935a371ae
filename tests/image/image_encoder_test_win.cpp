#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "image/image_win.h"

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

}  // namespace
