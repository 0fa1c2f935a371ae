#include "app/app.h"

#include "recent/recent.h"
#include "settings/settings.h"

namespace {

SettingsStore g_settings;
WallpaperList g_wallpapers;
HINSTANCE g_instance = nullptr;

}  // namespace

SettingsStore& AppSettings() { return g_settings; }
WallpaperList& AppWallpapers() { return g_wallpapers; }

void LoadAppWallpapers() {
  const std::string thumbnails = EnsureThumbnailsFolder();
  const std::string data = EnsureDataFolder();
  g_wallpapers.SetFolders(data + "\\", thumbnails + "\\");
  g_wallpapers.Clear();
  g_wallpapers.Load();
}

HINSTANCE AppInstance() { return g_instance ? g_instance : ::GetModuleHandleA(nullptr); }
void SetAppInstance(HINSTANCE instance) { g_instance = instance; }
