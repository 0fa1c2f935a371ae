#include "app/app.h"
#include "app/web_page.h"
#include "browser/browser.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "tray/service_pages.h"
#include "tray/tray.h"
#include "tray/tray_parts_win.h"

namespace {

int CurrentWallpaperId() {
  int id = 0;
  AppSettings().GetInt("CURRENT_ID", id);
  return id;
}

}  // namespace

void CarryOutTrayCommand(UINT command) {
  switch (command) {
    case IDM_BROWSE:
      OpenWebPage(StartPageAddress());
      return;
    case IDM_ADD_FAVOURITE:
    case IDM_COMMENT:
      OpenWebPage(WallpaperPageAddress(CurrentWallpaperId()));
      return;
    case IDM_DRAW_FAVOURITES:
      ChangeWallpaperForUser(WallpaperPool::FavouriteWallpapers, false);
      return;
    case IDM_DRAW_CATEGORIES:
      ChangeWallpaperForUser(WallpaperPool::FavouriteCategories, false);
      return;
    case IDM_DRAW_ADDED:
      ChangeWallpaperForUser(WallpaperPool::Added, false);
      return;
    case IDM_DRAW_ALL:
      ChangeWallpaperForUser(WallpaperPool::All, false);
      return;
    case IDM_DRAW_SUPER:
      ChangeWallpaperForUser(WallpaperPool::Super, true);
      return;
    case IDM_OPTIONS:
      OpenSettingsWindow();
      return;
    case IDM_EXIT:
      ::PostQuitMessage(0);
      return;
    default:
      return;
  }
}
