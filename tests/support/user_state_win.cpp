#include "support/user_state_win.h"

#include <windows.h>

#include "base/app_paths_win.h"
#include "base/log.h"
#include "base/path.h"
#include "base/registry_win.h"
#include "support/file_bytes.h"

namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";

std::string WallPath() { return JoinPath(JoinPath(AppFolderPath(), "data"), "wall.bmp"); }
std::string ScreensPath() { return JoinPath(AppFolderPath(), "screens.txt"); }

std::optional<std::string> ReadIfPresent(const std::string& path) {
  if (!FileExists(path)) return std::nullopt;
  return ReadFileBytes(path);
}

void PutBack(const std::string& path, const std::optional<std::string>& bytes) {
  if (bytes) {
    WriteFileBytes(path, *bytes);
  } else {
    ::DeleteFileA(path.c_str());
  }
}

std::optional<std::string> ReadDesktopValue(const char* name) {
  ScopedRegKey key = OpenUserKey(kDesktopKey);
  char data[MAX_PATH] = {};
  DWORD size = sizeof data - 1;
  if (!key || ::RegQueryValueExA(key.Get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                                 &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(data);
}

void PutBackDesktopValue(const char* name, const std::optional<std::string>& value) {
  ScopedRegKey key = OpenUserKey(kDesktopKey);
  if (!key) return;
  if (value) {
    SetStringValue(key.Get(), name, *value);
  } else {
    ::RegDeleteValueA(key.Get(), name);
  }
}

}  // namespace

UserStateGuard::UserStateGuard()
    : config_(ReadIfPresent(ConfigFilePath())),
      wall_(ReadIfPresent(WallPath())),
      screens_(ReadIfPresent(ScreensPath())),
      log_(ReadIfPresent(LogFilePath())),
      tileWallpaper_(ReadDesktopValue("TileWallpaper")),
      wallpaperStyle_(ReadDesktopValue("WallpaperStyle")) {
  char path[MAX_PATH] = {};
  ::SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
  wallpaper_ = path;
}

UserStateGuard::~UserStateGuard() {
  PutBack(ConfigFilePath(), config_);
  PutBack(WallPath(), wall_);
  PutBack(ScreensPath(), screens_);
  PutBack(LogFilePath(), log_);
  PutBackDesktopValue("TileWallpaper", tileWallpaper_);
  PutBackDesktopValue("WallpaperStyle", wallpaperStyle_);
  ::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, &wallpaper_[0], SPIF_UPDATEINIFILE);
}
