#include <gtest/gtest.h>

#include "wallpaper/desktop_wallpaper.h"

namespace {

TEST(DesktopWallpaperStyle, FitFromWindows7On) {
  EXPECT_STREQ(DesktopWallpaperStyle(6, 1), "6");   // 7
  EXPECT_STREQ(DesktopWallpaperStyle(6, 2), "6");   // 8
  EXPECT_STREQ(DesktopWallpaperStyle(6, 3), "6");   // 8.1
  EXPECT_STREQ(DesktopWallpaperStyle(10, 0), "6");  // 10 and 11
}

TEST(DesktopWallpaperStyle, CentredBeforeWindows7AndForAnUnknownVersion) {
  EXPECT_STREQ(DesktopWallpaperStyle(6, 0), "0");  // Vista
  EXPECT_STREQ(DesktopWallpaperStyle(5, 1), "0");  // XP
  EXPECT_STREQ(DesktopWallpaperStyle(5, 2), "0");  // XP x64, Server 2003
  EXPECT_STREQ(DesktopWallpaperStyle(0, 0), "0");  // RtlGetVersion not found
}

}  // namespace
