#include "tray/tray.h"

#include <optional>

#include "browser/browser.h"
#include "system/notification_icon_win.h"
#include "wallpaper/wallpaper.h"

void CarryOutRequest(const Request& request, ChangeOrigin origin) {
  switch (request.kind) {
    case Request::Kind::OpenSettings: {
      // Under the busy icon, as everything a second copy hands over.
      std::optional<BusyTrayIcon> busy;
      if (origin == ChangeOrigin::SecondCopy) busy.emplace();
      OpenSettingsWindow();
      return;
    }
    case Request::Kind::Pool:
      ChangeWallpaperForUser(request.pool.pool, request.pool.premium, origin);
      return;
    case Request::Kind::Wallpaper:
      ChangeToWallpaperId(request.id, origin);
      return;
    case Request::Kind::Link:
      ChangeToLink(request.link, origin);
      return;
  }
}
