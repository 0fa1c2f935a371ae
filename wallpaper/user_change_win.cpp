#include "wallpaper/wallpaper.h"

#include "recent/recent.h"
#include "settings/settings.h"
#include "system/notification_icon_win.h"
#include "wallpaper/auto_change_counter.h"

namespace {

AutoChangeCounter g_counter;

void ChangeWithBusyIcon(WallpaperPool pool, bool premium) {
  BusyTrayIcon busy;
  ChangeFromPool(AppWallpapers(), AppSettings(), pool, premium);
}

}  // namespace

void ChangeWallpaperForUser(WallpaperPool pool, bool premium) {
  g_counter.Reset();
  ChangeWithBusyIcon(pool, premium);
}

void ChangeWallpaperIfDue() {
  if (g_counter.Tick(ReadAutoChangeSettings(AppSettings()))) {
    ChangeWithBusyIcon(WallpaperPool::FromSettings, false);
  }
}
