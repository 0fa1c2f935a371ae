// Placeholders until the wallpaper engine lands: every operation reports that it did nothing.
#include "wallpaper/wallpaper.h"

bool ChangeFromPool(WallpaperList&, SettingsStore&, WallpaperPool, bool) {
  return false;
}
bool DownloadAndApply(const std::string&, const std::string&, SettingsStore&, WallpaperList&) {
  return false;
}
bool ApplyById(int, SettingsStore&, WallpaperList&) {
  return false;
}
FILETIME TouchFile(const std::string&) {
  return FILETIME{};
}
bool ApplyLink(const std::string&) {
  return false;
}
bool ApplyDesktopWallpaper(const std::string&) {
  return false;
}
bool ConvertToScreenBitmap(const std::string&, const std::string&) {
  return false;
}
int FindEncoderClsid(const wchar_t*, CLSID*) {
  return -1;
}
