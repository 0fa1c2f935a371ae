#include "wallpaper/engine_win.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/app_paths_win.h"
#include "base/path.h"
#include "base/scoped_win.h"
#include "image/image_win.h"
#include "net/net.h"
#include "recent/recent.h"
#include "settings/settings.h"
#include "base/log.h"
#include "recent/picture_name.h"
#include "settings/settings_keys.h"
#include "settings/settings_snapshots.h"
#include "wallpaper/desktop_wallpaper.h"
#include "wallpaper/screens_win.h"
#include "wallpaper/service_requests.h"

namespace {

// Sets the file's last-write time to now (when it can be opened) and returns that time.
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

// The local file of a chosen wallpaper: its picture name, or in id mode the id + ".jpg".
std::string ChosenFileName(const std::string& id, const std::string& name) {
  return name.empty() ? id + ".jpg" : name;
}

// A wallpaper the service chose, in the data folder and decoded.
struct ChosenPicture {
  std::string id;
  std::string name;      // the service's picture name; empty in id mode
  std::string fileName;  // in the data and thumbnails folders
  bool stored = false;   // the list held it already, and it could be read
  ScopedGdipBitmap picture;
};

// Finds the chosen wallpaper in the store or fetches it, and decodes it. A stored file that
// cannot be read is fetched again, like one never stored.
ChangeFailure ObtainPicture(const std::string& id, const std::string& name, WallpaperList& list,
                            ChosenPicture& chosen) {
  chosen.id = id;
  chosen.name = name;
  chosen.fileName = ChosenFileName(id, name);
  const std::string url = ImageRequestUrl(id, name);
  // The service's name becomes a local file name: only a plain one may, and only one that its
  // request can name.
  if (!IsSafePictureName(chosen.fileName) || url.empty()) return ChangeFailure::UnsafeName;
  const std::string localPath = JoinPath(EnsureDataFolder(), chosen.fileName);
  if (list.Find(chosen.fileName)) {
    chosen.picture = LoadImageFile(localPath);
    chosen.stored = static_cast<bool>(chosen.picture);
    if (chosen.stored) return ChangeFailure::None;
  }
  const ChangeFailure downloaded = Download(url, localPath);
  if (downloaded != ChangeFailure::None) return downloaded;
  chosen.picture = LoadImageFile(localPath);
  if (chosen.picture) return ChangeFailure::None;
  // A download that cannot be shown is not kept: the next choice fetches it afresh.
  ::DeleteFileA(localPath.c_str());
  return ChangeFailure::NotImage;
}

// A download that did not reach the desktop is not kept: the next choice fetches it afresh.
void Discard(ChosenPicture& chosen, WallpaperList& list) {
  chosen.picture.Reset();  // GDI+ holds its file open
  if (!chosen.stored) ::DeleteFileA(JoinPath(list.DataFolder(), chosen.fileName).c_str());
}

// Once its picture is on the desktop: the wallpaper becomes the newest of the list (a new one
// with its thumbnail), and, when current, the one the settings name.
void RecordShown(const ChosenPicture& chosen, Gdiplus::GpBitmap* thumbnail, bool current,
                 SettingsStore& settings, WallpaperList& list) {
  if (chosen.stored) {
    RefreshStoredWallpaper(list, chosen.fileName);
  } else {
    list.Add(chosen.fileName, thumbnail);
  }
  if (!current) return;
  settings.Set(kCurrentIdKey, chosen.id);
  settings.Set(kCurrentNameKey, chosen.name.empty() ? "YES" : chosen.name);
  SaveAppSettings(settings);
}

// The wallpaper bitmap for the screens and, for a new picture, its thumbnail: drawn at once from
// the same decoded pixels, as the two drawings are most of a change and need nothing of each
// other. The bitmaps are saved afterwards, in order, on this thread.
struct Drawings {
  ScopedGdipBitmap wallpaper;
  ScopedGdipBitmap thumbnail;
};
Drawings DrawForScreens(Gdiplus::GpBitmap* picture, const Screens& screens, bool thumbnail) {
  Drawings drawn;
  const std::size_t count = screens.monitors.size();
  const auto drawWallpaper = [&](Gdiplus::GpBitmap* view) {
    drawn.wallpaper = DrawWallpaper(screens, std::vector<Gdiplus::GpBitmap*>(count, view));
  };
  if (!thumbnail) {
    drawWallpaper(picture);
    return drawn;
  }
  DrawAtOnce(picture, drawWallpaper, [&drawn](Gdiplus::GpBitmap* view) {
    // Nothing may leave the second thread: without a thumbnail the change still goes on.
    try {
      drawn.thumbnail = DrawThumbnail(view);
    } catch (...) {
      LogCaughtException("thumbnail drawing");
      drawn.thumbnail.Reset();
    }
  });
  return drawn;
}

// Every screen shows the chosen picture.
ChangeOutcome ShowChosen(ChosenPicture& chosen, SettingsStore& settings, WallpaperList& list) {
  const Screens screens = CurrentScreens();
  Drawings drawn = DrawForScreens(chosen.picture.Get(), screens, !chosen.stored);
  ChangeFailure shown = ChangeFailure::CannotConvert;
  if (drawn.wallpaper) {
    shown = SetWallpaper(drawn.wallpaper.Get(), screens,
                         std::vector<std::string>(screens.monitors.size(), chosen.fileName));
  }
  if (shown != ChangeFailure::None) {
    Discard(chosen, list);
    return shown;
  }
  RecordShown(chosen, drawn.thumbnail.Get(), true, settings, list);
  return ChangeOutcome();
}

// The selection answer's outcome when it names no wallpaper.
ChangeOutcome RefusedSelection(const std::string& answer) {
  ChangeOutcome outcome(ChangeFailure::UnexpectedAnswer);
  outcome.serviceText = SelectionErrorText(answer);
  if (!outcome.serviceText.empty()) outcome.failure = ChangeFailure::ServiceError;
  return outcome;
}

}  // namespace

namespace {

// The service's choice from the pool for a screen of that size.
ChangeOutcome Choose(const SettingsStore& settings, WallpaperPool pool, bool premium, int width,
                     int height, SelectionAnswer& chosen) {
  const SelectionSettings account = ReadSelectionSettings(settings);
  SelectionRequest request;
  request.user = account.user;
  request.authorization = account.authorization;
  request.pool = pool;
  request.category = account.category;
  request.premium = premium;
  request.screenWidth = width;
  request.screenHeight = height;
  request.random = std::rand();

  FetchFailure failure = FetchFailure::None;
  const std::string answer = FetchToString(SelectionRequestUrl(request), kMaxTextBytes, &failure);
  if (failure != FetchFailure::None) return ChangeFailureOf(failure);
  if (!ParseSelectionAnswer(answer, chosen)) return RefusedSelection(answer);
  return ChangeOutcome();
}

// A draw for each screen, at its own size, composed into the one wallpaper. A screen whose draw
// fails keeps what it showed (or, when that cannot be read, the first new picture); when every
// draw fails nothing changes, and the primary's failure is the outcome.
ChangeOutcome ChangeEachScreen(WallpaperList& list, SettingsStore& settings, WallpaperPool pool,
                               bool premium, const Screens& screens) {
  const std::size_t count = screens.monitors.size();
  std::vector<ChosenPicture> chosen(count);
  std::vector<ChangeOutcome> outcomes(count);
  // A picture the service chose for an earlier screen too is that screen's: fetched once.
  std::vector<std::size_t> owner(count);
  int drawn = -1;  // the first screen with a new picture
  for (std::size_t i = 0; i < count; ++i) {
    owner[i] = i;
    const Monitor& monitor = screens.monitors[i];
    SelectionAnswer answer;
    outcomes[i] = Choose(settings, pool, premium, monitor.width, monitor.height, answer);
    if (outcomes[i]) {
      const std::string fileName = ChosenFileName(answer.id, answer.name);
      for (std::size_t j = 0; j < i; ++j) {
        if (outcomes[j] && owner[j] == j && chosen[j].fileName == fileName) owner[i] = j;
      }
      if (owner[i] == i) outcomes[i] = ObtainPicture(answer.id, answer.name, list, chosen[i]);
    }
    if (!outcomes[i]) {
      WriteLog("screen " + std::to_string(i + 1) +
               " keeps its picture: " + ChangeFailureText(outcomes[i].failure));
    } else if (drawn < 0) {
      drawn = static_cast<int>(i);
    }
  }
  if (drawn < 0) return outcomes[0];

  const std::vector<ShownPicture> shown = ReadShownPictures();
  std::vector<ScopedGdipBitmap> kept(count);
  std::vector<Gdiplus::GpBitmap*> pictures(count);
  std::vector<std::string> files(count);
  for (std::size_t i = 0; i < count; ++i) {
    if (outcomes[i]) {
      pictures[i] = chosen[owner[i]].picture.Get();
      files[i] = chosen[owner[i]].fileName;
      continue;
    }
    files[i] = ShownFileFor(shown, screens.monitors[i].device);
    if (!files[i].empty()) kept[i] = LoadImageFile(JoinPath(list.DataFolder(), files[i]));
    if (!kept[i]) files[i] = chosen[drawn].fileName;
    pictures[i] = kept[i] ? kept[i].Get() : chosen[drawn].picture.Get();
  }
  ScopedGdipBitmap wallpaper = DrawWallpaper(screens, pictures);
  ChangeFailure set = ChangeFailure::CannotConvert;
  if (wallpaper) set = SetWallpaper(wallpaper.Get(), screens, files);
  kept.clear();
  // The primary's picture is recorded last, so that it is the newest of the list.
  for (std::size_t i = count; i-- > 0;) {
    if (!outcomes[i] || owner[i] != i) continue;
    if (set != ChangeFailure::None) {
      Discard(chosen[i], list);
      continue;
    }
    const ScopedGdipBitmap thumbnail =
        chosen[i].stored ? ScopedGdipBitmap() : DrawThumbnail(chosen[i].picture.Get());
    RecordShown(chosen[i], thumbnail.Get(), i == 0, settings, list);
  }
  return set == ChangeFailure::None ? ChangeOutcome() : ChangeOutcome(set);
}

// The chosen wallpaper fetched (or reused), applied and recorded as the current one.
ChangeOutcome ObtainAndShow(const std::string& id, const std::string& name, SettingsStore& settings,
                            WallpaperList& list) {
  ChosenPicture chosen;
  const ChangeFailure obtained = ObtainPicture(id, name, list, chosen);
  if (obtained != ChangeFailure::None) return obtained;
  return ShowChosen(chosen, settings, list);
}

}  // namespace

ChangeOutcome ChangeFromPool(WallpaperList& list, SettingsStore& settings, WallpaperPool pool,
                             bool premium) {
  bool separate = false;
  settings.GetFlag(kSeparateScreensKey, separate);
  if (separate) {
    const Screens screens = CurrentScreens();
    if (screens.monitors.size() > 1) {
      return ChangeEachScreen(list, settings, pool, premium, screens);
    }
  }
  const ScreenSize screen = PrimaryScreenSize();
  SelectionAnswer chosen;
  const ChangeOutcome outcome =
      Choose(settings, pool, premium, screen.width, screen.height, chosen);
  if (!outcome) return outcome;
  return ObtainAndShow(chosen.id, chosen.name, settings, list);
}

bool RefreshStoredWallpaper(WallpaperList& list, const std::string& name) {
  WallpaperEntry* entry = list.Find(name);
  if (!entry) return false;
  entry->time = TouchFile(JoinPath(list.ThumbnailsFolder(), name));
  list.Sort();
  return true;
}

ChangeOutcome ApplyById(int id, SettingsStore& settings, WallpaperList& list) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", id);
  return ObtainAndShow(text, std::string(), settings, list);
}

ChangeOutcome ApplyLink(const std::string& link) {
  const std::string customPath = JoinPath(EnsureDataFolder(), kCustomPictureFile);
  std::string url = link;  // the fetch puts a scheme in front; the report keeps the link as given
  FetchFailure failure = FetchFailure::None;
  const bool fetched = FetchImage(url, customPath, kMaxCustomImageBytes, &failure);
  FetchToString(LinkReportUrl(link, fetched));
  if (!fetched) return ChangeFailureOf(failure);
  return ApplyDesktopImage(customPath);
}
