#include "tray/tray_parts_win.h"

#include <initializer_list>

#include "base/user_interaction_win.h"
#include "browser/browser.h"
#include "net/service_address.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"
#include "settings/settings_snapshots.h"
#include "wallpaper/wallpaper.h"

namespace {

void AttachBitmap(HMENU menu, UINT command, HBITMAP bitmap) {
  MENUITEMINFOA item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_BITMAP;
  item.hbmpItem = bitmap;
  ::SetMenuItemInfoA(menu, command, FALSE, &item);
}

HBITMAP LoadMenuBitmap(HINSTANCE instance, const char* name) {
  return static_cast<HBITMAP>(::LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, LR_LOADTRANSPARENT));
}

int CurrentWallpaperId() { return ReadServiceLinkSettings(AppSettings()).currentId; }

void DrawForUser(WallpaperPool pool) {
  ChangeWallpaperForUser(pool, IsPremiumPool(pool), ChangeOrigin::Menu);
}

}  // namespace

HMENU BuildTrayMenu(HINSTANCE instance) {
  HMENU menu = ::LoadMenuA(instance, MAKEINTRESOURCEA(IDR_TRAY_MENU));
  HMENU popup = ::GetSubMenu(menu, 0);
  if (!popup) return menu;

  // Items that share a picture share one bitmap.
  AttachBitmap(popup, IDM_EXIT, LoadMenuBitmap(instance, "EXITBMP"));
  AttachBitmap(popup, IDM_OPTIONS, LoadMenuBitmap(instance, "CONFIGBMP"));
  HBITMAP draw = LoadMenuBitmap(instance, "LOSUJBMP");
  for (UINT command :
       {IDM_DRAW_SUPER, IDM_DRAW_ALL, IDM_DRAW_ADDED, IDM_DRAW_CATEGORIES, IDM_DRAW_FAVOURITES}) {
    AttachBitmap(popup, command, draw);
  }
  HBITMAP comment = LoadMenuBitmap(instance, "COMMENTBMP");
  for (UINT command : {IDM_COMMENT, IDM_ADD_FAVOURITE, IDM_BROWSE}) {
    AttachBitmap(popup, command, comment);
  }
  return menu;
}

UINT ChooseTrayMenuCommand(HWND trayWindow, HMENU menu) {
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  // Without the foreground the menu would stay open when the user clicks elsewhere.
  ::SetForegroundWindow(trayWindow);
  const UINT command = static_cast<UINT>(::TrackPopupMenu(
      ::GetSubMenu(menu, 0), TPM_RETURNCMD | TPM_NONOTIFY | TPM_BOTTOMALIGN | TPM_RIGHTALIGN,
      cursor.x, cursor.y, 0, trayWindow, nullptr));
  // Windows lets the next menu of a notification icon vanish at once unless a message reaches
  // the window between the two.
  ::PostMessageA(trayWindow, WM_NULL, 0, 0);
  return command;
}

void CarryOutTrayCommand(HWND trayWindow, UINT command) {
  switch (command) {
    case IDM_BROWSE:
      OpenWebPage(StartPageAddress());
      return;
    case IDM_ADD_FAVOURITE:
    case IDM_COMMENT:
      OpenWebPage(WallpaperPageAddress(CurrentWallpaperId()));
      return;
    case IDM_DRAW_FAVOURITES:
      DrawForUser(WallpaperPool::FavouriteWallpapers);
      return;
    case IDM_DRAW_CATEGORIES:
      DrawForUser(WallpaperPool::FavouriteCategories);
      return;
    case IDM_DRAW_ADDED:
      DrawForUser(WallpaperPool::Added);
      return;
    case IDM_DRAW_ALL:
      DrawForUser(WallpaperPool::All);
      return;
    case IDM_DRAW_SUPER:
      DrawForUser(WallpaperPool::Super);
      return;
    case IDM_OPTIONS:
      OpenSettingsWindow();
      return;
    case IDM_EXIT:
      ::DestroyWindow(trayWindow);
      return;
    default:
      return;
  }
}
