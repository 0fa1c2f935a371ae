#include "tray/tray.h"

#include "browser/browser.h"
#include "system/notification_icon_win.h"
#include "wallpaper/wallpaper.h"

void CarryOutNumber(int value, NumberSource source) {
  if (value == 0 && source == NumberSource::SecondCopy) {
    // Under the busy icon, as every number a second copy sends.
    BusyTrayIcon busy;
    OpenSettingsWindow();
  } else {
    // A number on the command line comes from a link of the program's scheme.
    ChangeWallpaperForUser(
        value, source == NumberSource::SecondCopy ? ChangeOrigin::SecondCopy : ChangeOrigin::Link);
  }
}
