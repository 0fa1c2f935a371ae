#include "wallpaper/user_change_win.h"

#include <string>

#include "base/app_paths_win.h"
#include "base/path.h"
#include "image/image_win.h"
#include "recent/picture_name.h"
#include "system/notification_icon_win.h"
#include "wallpaper/auto_change_win.h"
#include "wallpaper/desktop_wallpaper.h"
#include "wallpaper/logged_change_win.h"

namespace {

// The one way of a change the user asked for. A choice made in the program's own menu or page
// restarts the automatic change's count, so that the next automatic change comes a full interval
// after it; a number handed over by a second copy or the command line (a link on a web page) is
// not the user's own choice of the next picture, and leaves the count running, as it always has.
template <typename Change>
void RunUserChange(ChangeOrigin origin, Change change) {
  if (origin == ChangeOrigin::Menu || origin == ChangeOrigin::Page) RestartAutoChangeCount();
  BusyTrayIcon busy;
  change();
}

}  // namespace

void ChangeWallpaperForUser(WallpaperPool pool, bool premium, ChangeOrigin origin) {
  RunUserChange(origin, [&] { LoggedPoolChange(origin, pool, premium); });
}

void ChangeToWallpaperId(int id, ChangeOrigin origin) {
  RunUserChange(origin, [&] {
    LoggedChange(origin, "id " + std::to_string(id),
                 [&] { return ApplyById(id, AppSettings(), AppWallpapers()); });
  });
}

void ChangeToLink(const std::string& link, ChangeOrigin origin) {
  LoggedChange(origin, "link " + link, [&] { return ApplyLink(link); });
}

namespace {

bool LoggedFileChange(ChangeOrigin origin, const std::string& name, const std::string& shownPath) {
  return LoggedChange(origin, "file " + name, [&] {
           return ChangeOutcome(ApplyDesktopImage(shownPath));
         }).failure == ChangeFailure::None;
}

// The dropped file's copy in the data folder, no longer read-only if the original was; the file
// itself when it is no picture (the copy that a screen shows stays) or cannot be copied.
std::string KeptDroppedFile(const std::string& path) {
  if (!IsImageFile(path)) return path;
  const std::string kept = JoinPath(EnsureDataFolder(), kDroppedPictureFile);
  if (!::CopyFileA(path.c_str(), kept.c_str(), FALSE)) return path;
  ::SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
  return kept;
}

}  // namespace

bool ChangeToFile(const std::string& path, ChangeOrigin origin) {
  return LoggedFileChange(origin, path, path);
}

bool ChangeToDroppedFile(const std::string& path, const std::string& droppedPath) {
  return LoggedFileChange(ChangeOrigin::Drop, droppedPath, KeptDroppedFile(path));
}
