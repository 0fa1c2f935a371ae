#include "wallpaper/wallpaper.h"

#include <cstdio>
#include <cstdlib>

#include "base/app_paths_win.h"
#include "base/path.h"
#include "base/scoped_win.h"
#include "image/image_win.h"
#include "net/net.h"
#include "recent/recent.h"
#include "settings/settings.h"
#include "wallpaper/desktop_wallpaper.h"
#include "recent/picture_name.h"
#include "wallpaper/service_requests.h"

namespace {

constexpr size_t kMaxCustomImageBytes = 10485760;

// Fetches the wallpaper into the data folder, only when it arrived as a whole image file. One that
// the system cannot read after all is not a wallpaper: it is removed.
bool Download(const std::string& url, const std::string& localPath) {
  if (!FetchImageToFile(url, localPath, kMaxStoredImageBytes)) return false;
  if (IsImageFile(localPath)) return true;
  ::DeleteFileA(localPath.c_str());
  return false;
}

}  // namespace

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
  const ScreenSize screen = PrimaryScreenSize();
  request.screenWidth = screen.width;
  request.screenHeight = screen.height;
  request.random = std::rand();

  SelectionAnswer chosen;
  if (!ParseSelectionAnswer(FetchToString(SelectionRequestUrl(request)), chosen)) return false;
  return DownloadAndApply(chosen.id, chosen.name, settings, list);
}

FILETIME TouchFile(const std::string& path) {
  SYSTEMTIME now;
  ::GetSystemTime(&now);
  FILETIME time;
  ::SystemTimeToFileTime(&now, &time);
  ScopedFile file(::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file) ::SetFileTime(file.Get(), nullptr, nullptr, &time);
  return time;
}

bool RefreshStoredWallpaper(WallpaperList& list, const std::string& name) {
  WallpaperEntry* entry = list.Find(name);
  if (!entry) return false;
  entry->time = TouchFile(JoinPath(list.ThumbnailsFolder(), name));
  list.Sort();
  return true;
}

bool DownloadAndApply(const std::string& id, const std::string& name, SettingsStore& settings,
                      WallpaperList& list) {
  const std::string fileName = name.empty() ? id + ".jpg" : name;
  const std::string url = ImageRequestUrl(id, name);
  // The service's name becomes a local file name: only a plain one may, and only one that its
  // request can name.
  if (!IsSafePictureName(fileName) || url.empty()) return false;
  const std::string localPath = JoinPath(EnsureDataFolder(), fileName);

  const bool stored = RefreshStoredWallpaper(list, fileName);
  if (!stored && !Download(url, localPath)) return false;
  // A download that cannot be shown is not kept: the next choice fetches it afresh.
  if (!ApplyDesktopWallpaper(localPath)) {
    if (!stored) ::DeleteFileA(localPath.c_str());
    return false;
  }
  if (!stored) list.Add(fileName);

  settings.Set("CURRENT_ID", id);
  settings.Set("CURRENT_NAME", name.empty() ? "YES" : name);
  SaveAppSettings(settings);
  return true;
}

bool ApplyById(int id, SettingsStore& settings, WallpaperList& list) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", id);
  return DownloadAndApply(text, std::string(), settings, list);
}

bool ApplyLink(const std::string& link) {
  const std::string customPath = JoinPath(EnsureDataFolder(), "custom.jpg");
  std::string url = link;  // the fetch puts a scheme in front; the report keeps the link as given
  const bool fetched = FetchImage(url, customPath, kMaxCustomImageBytes);
  FetchToString(LinkReportUrl(link, fetched));
  return fetched && ApplyDesktopWallpaper(customPath);
}
