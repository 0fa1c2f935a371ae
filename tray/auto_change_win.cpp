#include "app/app.h"
#include "tray/auto_change_counter.h"
#include "tray/tray.h"
#include "tray/tray_parts_win.h"

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

void AutoChangeTick() {
  if (g_counter.Tick(ReadAutoChangeSettings(AppSettings()))) {
    ChangeWithBusyIcon(WallpaperPool::FromSettings, false);
  }
}
