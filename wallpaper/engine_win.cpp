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
#include "settings/settings_keys.h"
#include "wallpaper/service_requests.h"

namespace {

constexpr size_t kMaxCustomImageBytes = 10485760;

ChangeFailure ChangeFailureOf(FetchFailure failure) {
  switch (failure) {
    case FetchFailure::None:
      return ChangeFailure::None;
    case FetchFailure::NoConnection:
      return ChangeFailure::NoConnection;
    case FetchFailure::TimeOut:
      return ChangeFailure::TimeOut;
    case FetchFailure::NotImage:
      return ChangeFailure::NotImage;
    case FetchFailure::Broken:
      break;
  }
  return ChangeFailure::BrokenTransfer;
}

// Fetches the wallpaper into the data folder, only when it arrived as a whole image file. One that
// the system cannot read after all is not a wallpaper: it is removed.
ChangeFailure Download(const std::string& url, const std::string& localPath) {
  FetchFailure failure = FetchFailure::None;
  if (!FetchImageToFile(url, localPath, kMaxStoredImageBytes, &failure)) {
    return ChangeFailureOf(failure);
  }
  if (IsImageFile(localPath)) return ChangeFailure::None;
  ::DeleteFileA(localPath.c_str());
  return ChangeFailure::NotImage;
}

// Sets a new picture as the wallpaper and draws its thumbnail meanwhile, from the same decoded
// pixels: the two drawings are most of a change and need nothing of each other.
ChangeFailure ApplyDrawingThumbnail(Gdiplus::GpBitmap* picture, ScopedGdipBitmap& thumbnail) {
  ChangeFailure applied = ChangeFailure::CannotConvert;
  DrawAtOnce(
      picture, [&applied](Gdiplus::GpBitmap* view) { applied = ApplyDesktopPicture(view); },
      [&thumbnail](Gdiplus::GpBitmap* view) { thumbnail = DrawThumbnail(view); });
  return applied;
}

// The selection answer's outcome when it names no wallpaper.
ChangeOutcome RefusedSelection(const std::string& answer) {
  ChangeOutcome outcome(ChangeFailure::UnexpectedAnswer);
  outcome.serviceText = SelectionErrorText(answer);
  if (!outcome.serviceText.empty()) outcome.failure = ChangeFailure::ServiceError;
  return outcome;
}

}  // namespace

ChangeOutcome ChangeFromPool(WallpaperList& list, SettingsStore& settings, WallpaperPool pool,
                             bool premium) {
  SelectionRequest request;
  bool sendCode = false;
  settings.GetFlag(kSaveKey, sendCode);
  settings.GetString(kUserKey, request.user);
  if (sendCode) settings.GetString(kAuthorizationKey, request.authorization);
  request.pool = pool;
  request.category = -1;  // no stored category: all wallpapers
  settings.GetInt(kCategoryKey, request.category);
  request.premium = premium;
  const ScreenSize screen = PrimaryScreenSize();
  request.screenWidth = screen.width;
  request.screenHeight = screen.height;
  request.random = std::rand();

  FetchFailure failure = FetchFailure::None;
  const std::string answer = FetchToString(SelectionRequestUrl(request), kMaxTextBytes, &failure);
  if (failure != FetchFailure::None) return ChangeFailureOf(failure);
  SelectionAnswer chosen;
  if (!ParseSelectionAnswer(answer, chosen)) return RefusedSelection(answer);
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

ChangeOutcome DownloadAndApply(const std::string& id, const std::string& name,
                               SettingsStore& settings, WallpaperList& list) {
  const std::string fileName = name.empty() ? id + ".jpg" : name;
  const std::string url = ImageRequestUrl(id, name);
  // The service's name becomes a local file name: only a plain one may, and only one that its
  // request can name.
  if (!IsSafePictureName(fileName) || url.empty()) return ChangeFailure::UnsafeName;
  const std::string localPath = JoinPath(EnsureDataFolder(), fileName);

  const bool stored = RefreshStoredWallpaper(list, fileName);
  if (!stored) {
    const ChangeFailure downloaded = Download(url, localPath);
    if (downloaded != ChangeFailure::None) return downloaded;
  }
  // Decoded once, for wall.bmp and for the thumbnail.
  ScopedGdipBitmap picture = LoadImageFile(localPath);
  ScopedGdipBitmap thumbnail;
  ChangeFailure applied = ChangeFailure::NotImage;
  if (picture) {
    applied = stored ? ApplyDesktopPicture(picture.Get())
                     : ApplyDrawingThumbnail(picture.Get(), thumbnail);
  }
  // A download that cannot be shown is not kept: the next choice fetches it afresh.
  if (applied != ChangeFailure::None) {
    picture.Reset();  // GDI+ holds its file open
    if (!stored) ::DeleteFileA(localPath.c_str());
    return applied;
  }
  if (!stored) list.Add(fileName, thumbnail.Get());

  settings.Set(kCurrentIdKey, id);
  settings.Set(kCurrentNameKey, name.empty() ? "YES" : name);
  SaveAppSettings(settings);
  return ChangeOutcome();
}

ChangeOutcome ApplyById(int id, SettingsStore& settings, WallpaperList& list) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", id);
  return DownloadAndApply(text, std::string(), settings, list);
}

ChangeOutcome ApplyLink(const std::string& link) {
  const std::string customPath = JoinPath(EnsureDataFolder(), "custom.jpg");
  std::string url = link;  // the fetch puts a scheme in front; the report keeps the link as given
  FetchFailure failure = FetchFailure::None;
  const bool fetched = FetchImage(url, customPath, kMaxCustomImageBytes, &failure);
  FetchToString(LinkReportUrl(link, fetched));
  if (!fetched) return ChangeFailureOf(failure);
  return ApplyDesktopImage(customPath);
}
