// Wallpaper engine: choosing a wallpaper on the service, downloading and storing it, turning an
// image into the screen-sized wall.bmp and making that the desktop wallpaper.
#pragma once

#include <windows.h>

#include <string>

#include "wallpaper/wallpaper_pool.h"

class SettingsStore;
class WallpaperList;

// Pools of the selection request. Any number above 4 means the pool stored in "CATEGORY".

// Asks the service for a wallpaper of the pool and applies it; false when none was applied.
bool ChangeFromPool(WallpaperList& list, SettingsStore& settings, WallpaperPool pool,
                    bool premium);
// Fetches (or reuses) the chosen wallpaper, applies it and records it as the current one.
// Picture-name mode when name is not empty, id mode otherwise.
bool DownloadAndApply(const std::string& id, const std::string& name, SettingsStore& settings,
                      WallpaperList& list);
bool ApplyById(int id, SettingsStore& settings, WallpaperList& list);
// Sets the file's last-write time to now (when it can be opened) and returns that time.
FILETIME TouchFile(const std::string& path);
// Makes the listed wallpaper of that name the newest (its thumbnail's time is its place, also
// after a restart); false when the list does not hold it.
bool RefreshStoredWallpaper(WallpaperList& list, const std::string& name);
// True when the file can be read and its first bytes are a BMP, JPEG or PNG signature.
bool IsImageFile(const std::string& path);

// Fetches an image link into custom.jpg, reports the link to the service, applies it.
bool ApplyLink(const std::string& link);

// Converts the image into AppFolder\data\wall.bmp and makes that the desktop wallpaper; false,
// with wall.bmp, the registry and the desktop as they were, when the image cannot be converted.
bool ApplyDesktopWallpaper(const std::string& imagePath);
// Writes destination as a screen-sized 32-bit BMP of the centre of source; false (destination
// untouched) when the source cannot be loaded, drawn or saved.
bool ConvertToScreenBitmap(const std::string& sourcePath, const std::string& destinationPath);
// Index of the GDI+ encoder of mimeType (its CLSID in *clsid), or -1.
int FindEncoderClsid(const wchar_t* mimeType, CLSID* clsid);
