// The steps of making an image the desktop wallpaper: the screen-sized bitmap and the desktop's
// style value.
#pragma once

#include <string>

#include "wallpaper/change_outcome.h"

struct ScreenSize {
  int width = 0;
  int height = 0;
};

// The primary screen's size in physical pixels, whatever display scaling tells a program that
// does not declare itself DPI-aware (a 3840-wide screen at 150% reads as 2560 to it): the size
// that the selection request asks for and that wall.bmp has, so the wallpaper is never
// stretched. Measured in a per-monitor-aware thread context where the system offers one, else
// from the display's current mode, else as the system metrics say.
ScreenSize PrimaryScreenSize();

// How PrimaryScreenSize measures; tests stand in a scaled system.
struct ScreenMeasures {
  // The metrics in a per-monitor-aware thread context; false when the system has none.
  bool (*dpiAwareMetrics)(ScreenSize& size);
  // The primary display's current mode; false when it cannot be read.
  bool (*displayMode)(ScreenSize& size);
  // GetSystemMetrics as this (DPI-unaware) program is told.
  ScreenSize (*systemMetrics)();
};
ScreenMeasures SetScreenMeasures(ScreenMeasures replacement);

// Writes destination as a screen-sized 32-bit BMP of the centre of source; false (destination
// untouched) when the source cannot be loaded, drawn or saved.
bool ConvertToScreenBitmap(const std::string& sourcePath, const std::string& destinationPath);

// "6" (fit to the screen) from Windows 7 (6.1) on, "0" (centred) before it and when the version
// is unknown (0). wall.bmp has the screen's size, so both show it whole. Windows-free.
const char* DesktopWallpaperStyle(unsigned long majorVersion, unsigned long minorVersion);

// Converts the image into AppFolder\data\wall.bmp, each screen showing its centre, and makes that
// the desktop wallpaper. When the image cannot be converted, wall.bmp, the registry and the
// desktop stay as they were, and the failure says why.
ChangeFailure ApplyDesktopImage(const std::string& imagePath);
