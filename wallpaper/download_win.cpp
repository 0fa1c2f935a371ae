#include <cstdio>

#include "app/app.h"
#include "net/net.h"
#include "net/service_hosts.h"
#include "recent/recent.h"
#include "settings/settings.h"
#include "wallpaper/picture_name.h"
#include "wallpaper/wallpaper.h"

#include "app/scoped_win.h"

namespace {

constexpr size_t kMaxImageUrlLength = 255;

std::string ImageRequestUrl(const std::string& id, const std::string& name) {
  std::string url = ServiceUrl(name.empty() ? "/program/pobierz_jpeg.php?id=" + id
                                            : "/program//pobierz_jpeg_v2.php?zdjecie=" + name);
  if (url.size() > kMaxImageUrlLength) url.resize(kMaxImageUrlLength);
  return url;
}

// Fetches the wallpaper into the data folder. An error page that the server sent in place of the
// image is not a wallpaper: it is removed.
bool Download(const std::string& url, const std::string& localPath) {
  if (!FetchToFile(url, localPath)) return false;
  if (IsImageFile(localPath)) return true;
  ::DeleteFileA(localPath.c_str());
  return false;
}

}  // namespace

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
  entry->time = TouchFile(list.ThumbnailsFolder() + name);
  list.Sort();
  return true;
}

bool DownloadAndApply(const std::string& id, const std::string& name, SettingsStore& settings,
                      WallpaperList& list) {
  const std::string fileName = name.empty() ? id + ".jpg" : name;
  // The service's name becomes a local file name: only a plain one may.
  if (!IsSafePictureName(fileName)) return false;
  const std::string localPath = EnsureDataFolder() + "\\" + fileName;

  const bool stored = RefreshStoredWallpaper(list, fileName);
  if (!stored && !Download(ImageRequestUrl(id, name), localPath)) return false;
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
