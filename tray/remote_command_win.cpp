#include "tray/tray.h"

#include "browser/browser.h"
#include "recent/recent.h"
#include "settings/settings.h"
#include "system/notification_icon_win.h"
#include "wallpaper/pool.h"
#include "wallpaper/wallpaper.h"

void CarryOutNumber(int value, NumberSource source) {
  BusyTrayIcon busy;
  PoolChoice choice;
  if (value == 0 && source == NumberSource::SecondCopy) {
    OpenSettingsWindow();
  } else if (PoolForHandOffNumber(value, choice)) {
    ChangeFromPool(AppWallpapers(), AppSettings(), choice.pool, choice.premium);
  } else {
    ApplyById(value, AppSettings(), AppWallpapers());
  }
}
