#include "wallpaper/desktop_wallpaper.h"

#include "base/app_paths_win.h"
#include "base/log.h"
#include "base/path.h"
#include "base/seam.h"
#include "image/image_win.h"
#include "wallpaper/screens_win.h"
#include "wallpaper/wallpaper.h"

namespace {

bool DpiAwareMetrics(ScreenSize& size) {
  const bool aware = InPerMonitorAwareContext([&size] {
    size = {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  });
  return aware && size.width > 0 && size.height > 0;
}

bool DisplayMode(ScreenSize& size) {
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  if (!::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return false;
  size = {static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight)};
  return size.width > 0 && size.height > 0;
}

ScreenSize SystemMetrics() {
  return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

Seam<ScreenMeasures> g_screenMeasures(ScreenMeasures{DpiAwareMetrics, DisplayMode, SystemMetrics});

// Writes destination as a screen-sized 32-bit BMP of the centre of picture; destination stays as
// it was when the picture cannot be drawn or the bitmap saved.
ChangeFailure ConvertPictureToScreenBitmap(Gdiplus::GpBitmap* picture,
                                           const std::string& destinationPath) {
  const ScreenSize screen = PrimaryScreenSize();
  ScopedGdipBitmap bitmap =
      DrawCentreCrop(picture, screen.width, screen.height, PixelFormat32bppARGB,
                     Gdiplus::InterpolationModeHighQualityBicubic);
  if (!bitmap) return ChangeFailure::CannotConvert;
  if (!SaveImageFile(bitmap.Get(), destinationPath, L"image/bmp")) return ChangeFailure::CannotSave;
  return ChangeFailure::None;
}

}  // namespace

bool ConvertToScreenBitmap(const std::string& sourcePath, const std::string& destinationPath) {
  // Nothing is drawn from a source that GDI+ cannot read: an empty bitmap would be all black.
  ScopedGdipBitmap source = LoadImageFile(sourcePath);
  return source &&
         ConvertPictureToScreenBitmap(source.Get(), destinationPath) == ChangeFailure::None;
}

ScreenSize PrimaryScreenSize() {
  const ScreenMeasures& measures = g_screenMeasures.Get();
  ScreenSize size;
  if (measures.dpiAwareMetrics(size) || measures.displayMode(size)) return size;
  return measures.systemMetrics();
}

ScreenMeasures SetScreenMeasures(ScreenMeasures replacement) {
  return g_screenMeasures.Replace(replacement);
}

ChangeFailure ApplyDesktopImage(const std::string& imagePath) {
  // Nothing is drawn from a source that GDI+ cannot read: an empty bitmap would be all black.
  ScopedGdipBitmap picture = LoadImageFile(imagePath);
  if (!picture) return ChangeFailure::NotImage;
  // A picture of the data folder can be drawn again after a display change; any other file may
  // be gone by then.
  const std::size_t slash = imagePath.find_last_of("\\/");
  const std::string name = imagePath.substr(slash == std::string::npos ? 0 : slash + 1);
  const bool kept =
      slash != std::string::npos && IsShownFileName(name) &&
      ::lstrcmpiA(imagePath.substr(0, slash).c_str(), EnsureDataFolder().c_str()) == 0;
  return ShowOnEveryScreen(picture.Get(), kept ? name : std::string());
}
