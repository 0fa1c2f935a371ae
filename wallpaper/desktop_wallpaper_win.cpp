#include "app/app.h"
#include "app/registry_value_win.h"
#include "app/scoped_win.h"
#include "wallpaper/desktop_style.h"
#include "wallpaper/wallpaper.h"

namespace {

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
  ScopedRegKey desktop;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_WRITE | KEY_QUERY_VALUE,
                      desktop.Receive()) != ERROR_SUCCESS) {
    return;
  }
  SetStringValue(desktop.Get(), "TileWallpaper", "0");
  SetStringValue(desktop.Get(), "WallpaperStyle", wallpaperStyle);
}

}  // namespace

bool ApplyDesktopWallpaper(const std::string& imagePath) {
  std::string bitmapPath = EnsureDataFolder() + "\\wall.bmp";
  if (!ConvertToScreenBitmap(imagePath, bitmapPath)) return false;
  const WindowsVersion version = QueryWindowsVersion();
  WriteDesktopStyle(DesktopWallpaperStyle(version.major, version.minor));
  // The profile is updated and the desktop repaints; no settings-change broadcast is sent.
  return ::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, &bitmapPath[0], SPIF_UPDATEINIFILE) !=
         FALSE;
}
