#include "wallpaper/desktop_wallpaper.h"

const char* DesktopWallpaperStyle(unsigned long majorVersion, unsigned long minorVersion) {
  // Style 6 exists from Windows 7 on; Vista and older know only 0 (centred) and 2 (stretched).
  const bool knowsFit = majorVersion > 6 || (majorVersion == 6 && minorVersion >= 1);
  return knowsFit ? "6" : "0";
}
