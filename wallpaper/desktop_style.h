// The "WallpaperStyle" value of the desktop for a Windows version. Windows-free.
#pragma once

// "6" (fit to the screen) from Windows 7 (6.1) on, "0" (centred) before it and when the version
// is unknown (0). wall.bmp has the screen's size, so both show it whole.
const char* DesktopWallpaperStyle(unsigned long majorVersion, unsigned long minorVersion);
