#include "wallpaper/gdiplus_image_win.h"

#include "app/ansi_text_win.h"
#include "wallpaper/centre_crop.h"
#include "wallpaper/wallpaper.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

struct ImageSize {
  UINT width = 0;
  UINT height = 0;
};

ImageSize SizeOf(GpImage* image) {
  ImageSize size;
  GdipGetImageWidth(image, &size.width);
  GdipGetImageHeight(image, &size.height);
  return size;
}

// Windows' GDI+ cannot draw into indexed formats (a GIF, a greyscale JPEG) nor into two of the
// 16-bit ones; Wine can, so only Windows would go without a thumbnail of such a picture.
PixelFormat DrawablePixelFormat(PixelFormat format) {
  const bool drawable = (format & PixelFormatIndexed) == 0 && format != PixelFormat16bppGrayScale &&
                        format != PixelFormat16bppARGB1555 && format != PixelFormatUndefined;
  return drawable ? format : PixelFormat24bppRGB;
}

}  // namespace

ScopedGdipBitmap LoadImageFile(const std::string& path) {
  ScopedGdipBitmap image;
  if (GdipCreateBitmapFromFile(AnsiToWide(path).c_str(), image.Receive()) != Ok) {
    return ScopedGdipBitmap();
  }
  const ImageSize size = SizeOf(image.Get());
  if (size.width == 0 || size.height == 0) return ScopedGdipBitmap();
  return image;
}

ScopedGdipBitmap DrawCentreCrop(GpBitmap* source, int width, int height, PixelFormat format,
                                InterpolationMode mode) {
  const ImageSize size = SizeOf(source);
  const CropRectangle crop =
      CentreCrop(static_cast<int>(size.width), static_cast<int>(size.height), width, height);

  ScopedGdipBitmap target;
  if (GdipCreateBitmapFromScan0(width, height, 0, DrawablePixelFormat(format), nullptr,
                                target.Receive()) != Ok) {
    return ScopedGdipBitmap();
  }
  ScopedGdipGraphics graphics;
  if (GdipGetImageGraphicsContext(target.Get(), graphics.Receive()) != Ok) {
    return ScopedGdipBitmap();
  }
  GdipSetInterpolationMode(graphics.Get(), mode);
  if (GdipDrawImageRectRectI(graphics.Get(), source, 0, 0, width, height, crop.x, crop.y,
                             crop.width, crop.height, UnitPixel, nullptr, nullptr,
                             nullptr) != Ok) {
    return ScopedGdipBitmap();
  }
  return target;
}

bool SaveImageFile(GpImage* image, const std::string& path, const wchar_t* mimeType) {
  CLSID encoder;
  if (FindEncoderClsid(mimeType, &encoder) < 0) return false;
  // GDI+ writes as it encodes: a failure halfway must not cost the file that is there.
  const std::string temporary = path + ".tmp";
  if (GdipSaveImageToFile(image, AnsiToWide(temporary).c_str(), &encoder, nullptr) == Ok &&
      ::MoveFileExA(temporary.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  ::DeleteFileA(temporary.c_str());
  return false;
}
