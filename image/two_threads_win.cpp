#include "image/two_threads_win.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

LockedPixels::LockedPixels(GpBitmap* bitmap, UINT lockMode) : bitmap_(bitmap) {
  PixelFormat format = 0;
  UINT width = 0;
  UINT height = 0;
  if (GdipGetImagePixelFormat(bitmap, &format) != Ok || !IsDrawableFormat(format) ||
      GdipGetImageWidth(bitmap, &width) != Ok || GdipGetImageHeight(bitmap, &height) != Ok) {
    return;
  }
  const GpRect whole(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  locked_ = GdipBitmapLockBits(bitmap, &whole, lockMode, format, &pixels_) == Ok;
}

LockedPixels::~LockedPixels() {
  if (locked_) GdipBitmapUnlockBits(bitmap_, &pixels_);
}

ScopedGdipBitmap LockedPixels::View(const CropRectangle& rectangle) const {
  ScopedGdipBitmap view;
  if (!locked_) return view;
  const int bytesPerPixel = static_cast<int>(GetPixelFormatSize(pixels_.PixelFormat) / 8);
  BYTE* first = static_cast<BYTE*>(pixels_.Scan0) + rectangle.y * pixels_.Stride +
                rectangle.x * bytesPerPixel;
  // Left empty when it fails.
  GdipCreateBitmapFromScan0(rectangle.width, rectangle.height, pixels_.Stride, pixels_.PixelFormat,
                            first, view.Receive());
  return view;
}
