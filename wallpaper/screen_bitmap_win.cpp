#include "wallpaper/gdiplus_image_win.h"
#include "wallpaper/wallpaper.h"

bool ConvertToScreenBitmap(const std::string& sourcePath, const std::string& destinationPath) {
  // Nothing is drawn from a source that GDI+ cannot read: an empty bitmap would be all black.
  ScopedGdipBitmap source = LoadImageFile(sourcePath);
  if (!source) return false;
  ScopedGdipBitmap screen =
      DrawCentreCrop(source.Get(), ::GetSystemMetrics(SM_CXSCREEN),
                     ::GetSystemMetrics(SM_CYSCREEN), PixelFormat32bppARGB,
                     Gdiplus::InterpolationModeHighQualityBicubic);
  return screen && SaveImageFile(screen.Get(), destinationPath, L"image/bmp");
}
