#include "app/app.h"
#include "recent/recent.h"
#include "wallpaper/gdiplus_image_win.h"

void WallpaperList::MakeThumbnail(const std::string& name) {
  // A session of its own, so a thumbnail can be made whether or not the process started GDI+.
  const ScopedGdiplus gdiplus = StartGdiplus();
  ScopedGdipBitmap source = LoadImageFile(dataFolder_ + name);
  if (!source) return;
  Gdiplus::PixelFormat format = PixelFormat24bppRGB;
  Gdiplus::DllExports::GdipGetImagePixelFormat(source.Get(), &format);
  ScopedGdipBitmap thumbnail = DrawCentreCrop(source.Get(), kThumbnailWidth, kThumbnailHeight,
                                              format, Gdiplus::InterpolationModeDefault);
  if (!thumbnail) return;
  EnsureFolder(thumbnailsFolder_.substr(0, thumbnailsFolder_.find_last_not_of('\\') + 1));
  SaveImageFile(thumbnail.Get(), thumbnailsFolder_ + name, L"image/jpeg");
}
