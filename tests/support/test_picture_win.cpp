#include "support/test_picture.h"

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/text_win.h"
#include "image/image_win.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

Argb QuadrantAt(const Quadrants& quadrants, const CropRectangle& centre, int x, int y) {
  const bool left = x < centre.x + centre.width / 2;
  const bool top = y < centre.y + centre.height / 2;
  if (top) return left ? quadrants.topLeft : quadrants.topRight;
  return left ? quadrants.bottomLeft : quadrants.bottomRight;
}

bool Inside(const CropRectangle& r, int x, int y) {
  return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
}

int Channel(Argb colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

bool Near(Argb a, Argb b, int tolerance) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(Channel(a, shift) - Channel(b, shift)) > tolerance) return false;
  }
  return true;
}

}  // namespace

bool WriteQuadrantPicture(const std::string& path, int width, int height,
                          const CropRectangle& centre, const wchar_t* mimeType,
                          const Quadrants& quadrants) {
  std::vector<Argb> pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels[static_cast<size_t>(y) * width + x] =
          Inside(centre, x, y) ? QuadrantAt(quadrants, centre, x, y) : kMarginColour;
    }
  }
  CLSID encoder;
  if (FindEncoderClsid(mimeType, &encoder) < 0) return false;
  ScopedGdipBitmap bitmap;
  if (GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                reinterpret_cast<BYTE*>(pixels.data()), bitmap.Receive()) != Ok) {
    return false;
  }
  return GdipSaveImageToFile(bitmap.Get(), AnsiToWide(path).c_str(), &encoder, nullptr) == Ok;
}

Picture ReadPicture(const std::string& path) {
  ScopedGdipBitmap bitmap;
  if (GdipCreateBitmapFromFile(AnsiToWide(path).c_str(), bitmap.Receive()) != Ok) return {};
  UINT width = 0;
  UINT height = 0;
  GdipGetImageWidth(bitmap.Get(), &width);
  GdipGetImageHeight(bitmap.Get(), &height);
  const GpRect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  BitmapData data;
  if (GdipBitmapLockBits(bitmap.Get(), &all, ImageLockModeRead, PixelFormat32bppARGB, &data) !=
      Ok) {
    return {};
  }
  Picture picture;
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  picture.pixels.resize(static_cast<size_t>(width) * height);
  for (UINT y = 0; y < height; ++y) {
    const auto* row =
        static_cast<const BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
    std::copy_n(reinterpret_cast<const Argb*>(row), width, picture.pixels.begin() + y * width);
  }
  GdipBitmapUnlockBits(bitmap.Get(), &data);
  return picture;
}

testing::AssertionResult ShowsQuadrants(const Picture& picture, int inset, int tolerance,
                                        const Quadrants& quadrants) {
  if (picture.width <= 2 * inset || picture.height <= 2 * inset) {
    return testing::AssertionFailure()
           << "the picture is " << picture.width << "x" << picture.height;
  }
  const int right = picture.width - 1 - inset;
  const int bottom = picture.height - 1 - inset;
  const int midX = picture.width / 2;
  const int midY = picture.height / 2;
  struct Probe {
    int x;
    int y;
    Argb expected;
  };
  const Probe probes[] = {
      {inset, inset, quadrants.topLeft},
      {right, inset, quadrants.topRight},
      {inset, bottom, quadrants.bottomLeft},
      {right, bottom, quadrants.bottomRight},
      {midX - inset, midY - inset, quadrants.topLeft},
      {midX + inset, midY - inset, quadrants.topRight},
      {midX - inset, midY + inset, quadrants.bottomLeft},
      {midX + inset, midY + inset, quadrants.bottomRight},
  };
  for (const Probe& probe : probes) {
    const Argb found = picture.At(probe.x, probe.y);
    if (!Near(found, probe.expected, tolerance)) {
      char text[96];
      std::snprintf(text, sizeof text, "pixel (%d, %d) is %08X, expected %08X", probe.x, probe.y,
                    static_cast<unsigned>(found), static_cast<unsigned>(probe.expected));
      return testing::AssertionFailure() << text;
    }
  }
  return testing::AssertionSuccess();
}
