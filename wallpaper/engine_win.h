// The engine's steps: each makes a whole change, without its log line: choosing on the service,
// fetching or reusing the picture, drawing and applying it, recording it in the list and the
// settings. The program's callers use the logged changes (user_change_win.h, auto_change_win.h).
#pragma once

#include <string>

#include "wallpaper/change_outcome.h"
#include "wallpaper/pool.h"

class SettingsStore;
class WallpaperList;

// Each change tells how it ended; the outcome is true when the wallpaper was applied.
//
// Asks the service for a wallpaper of the pool and applies it.
ChangeOutcome ChangeFromPool(WallpaperList& list, SettingsStore& settings, WallpaperPool pool,
                             bool premium);
// Fetches (or reuses) the wallpaper of that service id, applies it and records it as the current
// one.
ChangeOutcome ApplyById(int id, SettingsStore& settings, WallpaperList& list);
// Fetches an image link into custom.jpg, reports the link to the service, applies it.
ChangeOutcome ApplyLink(const std::string& link);

// Makes the listed wallpaper of that name the newest (its thumbnail's time is its place, also
// after a restart); false when the list does not hold it.
bool RefreshStoredWallpaper(WallpaperList& list, const std::string& name);
