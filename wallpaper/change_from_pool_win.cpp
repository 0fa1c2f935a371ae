#include <cstdlib>

#include "net/net.h"
#include "settings/settings.h"
#include "wallpaper/selection.h"
#include "wallpaper/wallpaper.h"

bool ChangeFromPool(WallpaperList& list, SettingsStore& settings, WallpaperPool pool,
                    bool premium) {
  SelectionRequest request;
  bool sendCode = false;
  settings.GetFlag("SAVE", sendCode);
  settings.GetString("USER", request.user);
  if (sendCode) settings.GetString("AUTORIZATION", request.authorization);
  request.pool = pool;
  request.category = -1;  // no stored category: all wallpapers
  settings.GetInt("CATEGORY", request.category);
  request.premium = premium;
  request.screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  request.screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  request.random = std::rand();

  SelectionAnswer chosen;
  if (!ParseSelectionAnswer(FetchToString(SelectionRequestUrl(request)), chosen)) return false;
  return DownloadAndApply(chosen.id, chosen.name, settings, list);
}
