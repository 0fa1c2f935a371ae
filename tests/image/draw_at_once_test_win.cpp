#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "image/image_win.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"
#include "support/test_picture.h"

namespace {

// Two drawings from one picture are each what it is when drawn alone: from views of its pixels on
// two threads at once for a JPEG and a PNG, one after the other on this thread for a picture with
// a palette, which a view would lack. The picture draws alone again afterwards: it is let go.
TEST(DrawAtOnce, EachDrawingIsWhatItIsAloneAndThePictureIsLetGo) {
  const ScopedGdiplus gdiplus = StartGdiplus();
  TempFolder folder;
  const auto draw = [&folder](Gdiplus::GpBitmap* source, int width, const std::string& name) {
    ScopedGdipBitmap drawn = DrawCentreCrop(source, width, width * 9 / 16, PixelFormat32bppARGB,
                                            Gdiplus::InterpolationModeHighQualityBicubic);
    const std::string path = folder.File(name);
    return drawn && SaveImageFile(drawn.Get(), path, L"image/bmp") ? ReadFileBytes(path) : "";
  };
  const auto check = [&draw](Gdiplus::GpBitmap* picture, bool apart) {
    std::string large, small;
    std::thread::id smallDrawnOn;
    DrawAtOnce(
        picture, [&](Gdiplus::GpBitmap* view) { large = draw(view, 160, "large.bmp"); },
        [&](Gdiplus::GpBitmap* view) {
          small = draw(view, 32, "small.bmp");
          smallDrawnOn = std::this_thread::get_id();
        });
    EXPECT_EQ(smallDrawnOn != std::this_thread::get_id(), apart);
    EXPECT_FALSE(large.empty() || small.empty());
    EXPECT_EQ(large, draw(picture, 160, "large alone.bmp"));
    EXPECT_EQ(small, draw(picture, 32, "small alone.bmp"));
  };
  for (const wchar_t* mimeType : {L"image/jpeg", L"image/png"}) {
    const std::string path = folder.File("picture");
    ASSERT_TRUE(WriteQuadrantPicture(path, 400, 300, {50, 0, 300, 300}, mimeType));
    ScopedGdipBitmap picture = LoadImageFile(path);
    ASSERT_TRUE(picture);
    check(picture.Get(), true);
  }
  ScopedGdipBitmap withPalette;
  ASSERT_EQ(Gdiplus::DllExports::GdipCreateBitmapFromScan0(48, 40, 0, PixelFormat8bppIndexed,
                                                           nullptr, withPalette.Receive()),
            Gdiplus::Ok);
  check(withPalette.Get(), false);
}

}  // namespace
