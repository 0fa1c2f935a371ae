#include "tray/tray.h"

#include "app/app.h"
#include "browser/browser.h"
#include "wallpaper/hand_off_pool.h"

void CarryOutNumber(int value, bool zeroOpensSettings) {
  BusyTrayIcon busy;
  PoolChoice choice;
  if (value == 0 && zeroOpensSettings) {
    OpenSettingsWindow();
  } else if (PoolForHandOffNumber(value, choice)) {
    ChangeFromPool(AppWallpapers(), AppSettings(), choice.pool, choice.premium);
  } else {
    ApplyById(value, AppSettings(), AppWallpapers());
  }
}
