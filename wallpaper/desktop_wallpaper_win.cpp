#include "wallpaper/desktop_wallpaper.h"

#include "base/app_paths_win.h"
#include "base/log.h"
#include "base/path.h"
#include "base/registry_win.h"
#include "base/seam.h"
#include "image/image_win.h"
#include "wallpaper/wallpaper.h"

namespace {

bool DpiAwareMetrics(ScreenSize& size) {
  // Windows 10 (1607) on; looked up at run time, as older systems lack it.
  using SetContext = HANDLE(WINAPI*)(HANDLE);
  const auto setContext = reinterpret_cast<SetContext>(
      ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext"));
  if (!setContext) return false;
  const HANDLE perMonitorV2 = reinterpret_cast<HANDLE>(-4);
  const HANDLE perMonitor = reinterpret_cast<HANDLE>(-3);
  HANDLE previous = setContext(perMonitorV2);
  if (!previous) previous = setContext(perMonitor);
  if (!previous) return false;
  size = {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  // The rest of the program stays unaware: the settings window keeps its scaled size.
  setContext(previous);
  return size.width > 0 && size.height > 0;
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

struct WindowsVersion {
  unsigned long major = 0;
  unsigned long minor = 0;
};

// RtlGetVersion, unlike GetVersionEx, answers the true version whatever the program's manifest
// claims; the program does not link ntdll, so it is looked up at run time.
WindowsVersion QueryWindowsVersion() {
  using RtlGetVersionFunction = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
  WindowsVersion version;
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  if (!ntdll) return version;
  auto rtlGetVersion =
      reinterpret_cast<RtlGetVersionFunction>(::GetProcAddress(ntdll, "RtlGetVersion"));
  if (!rtlGetVersion) return version;
  RTL_OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof info;
  if (rtlGetVersion(&info) != 0) return version;
  version.major = info.dwMajorVersion;
  version.minor = info.dwMinorVersion;
  return version;
}

void WriteDesktopStyle(const char* wallpaperStyle) {
  // Opened, never created: a profile without the key is left alone.
  ScopedRegKey desktop = OpenUserKey("Control Panel\\Desktop");
  if (!desktop) return;
  SetStringValue(desktop.Get(), "TileWallpaper", "0");
  SetStringValue(desktop.Get(), "WallpaperStyle", wallpaperStyle);
}

}  // namespace

namespace {

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

ChangeFailure ApplyDesktopPicture(Gdiplus::GpBitmap* picture) {
  std::string bitmapPath = JoinPath(EnsureDataFolder(), "wall.bmp");
  const ChangeFailure converted = ConvertPictureToScreenBitmap(picture, bitmapPath);
  if (converted != ChangeFailure::None) {
    if (converted == ChangeFailure::CannotSave) WriteLog("wall.bmp could not be saved");
    return converted;
  }
  const WindowsVersion version = QueryWindowsVersion();
  WriteDesktopStyle(DesktopWallpaperStyle(version.major, version.minor));
  // The profile is updated and the desktop repaints; no settings-change broadcast is sent.
  if (!::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, &bitmapPath[0], SPIF_UPDATEINIFILE)) {
    return ChangeFailure::CannotSet;
  }
  return ChangeFailure::None;
}

ChangeFailure ApplyDesktopImage(const std::string& imagePath) {
  // Nothing is drawn from a source that GDI+ cannot read: an empty bitmap would be all black.
  ScopedGdipBitmap picture = LoadImageFile(imagePath);
  return picture ? ApplyDesktopPicture(picture.Get()) : ChangeFailure::NotImage;
}

bool ApplyDesktopWallpaper(const std::string& imagePath) {
  return ApplyDesktopImage(imagePath) == ChangeFailure::None;
}
