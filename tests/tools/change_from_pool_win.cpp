// Draws a wallpaper from a pool the way the change timer does, without the tray window: loads
// the user's settings and stored wallpapers as start-up does, then calls the change once.
//
//   change_from_pool POOL PREMIUM(0|1)      prints "changed 1" or "changed 0"
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "base/app_paths_win.h"
#include "image/image_win.h"
#include "recent/recent.h"
#include "settings/settings.h"
#include "wallpaper/wallpaper.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  ScopedGdiplus gdiplus = StartGdiplus();

  AppSettings().Load(ConfigFilePath());
  LoadAppWallpapers();
  const bool changed = static_cast<bool>(ChangeFromPool(
      AppWallpapers(), AppSettings(),
      static_cast<WallpaperPool>(std::strtoul(argv[1], nullptr, 10)), argv[2][0] == '1'));
  std::printf("changed %d\n", changed ? 1 : 0);
  return 0;
}
