// Wallpaper engine: choosing a wallpaper on the service, downloading and storing it, turning an
// image into the screen-sized wall.bmp and making that the desktop wallpaper; and the changes the
// user asks for and the automatic ones. These are the entry points; the Windows-free rules are in
// pool.h, service_requests.h and auto_change_counter.h; the picture-name rule is
// recent/picture_name.h.
#pragma once

#include <windows.h>

#include <string>

#include "image/image_win.h"
#include "wallpaper/change_outcome.h"
#include "wallpaper/pool.h"

class SettingsStore;
class WallpaperList;

// Each change tells how it ended; the outcome is true when the wallpaper was applied.
//
// Asks the service for a wallpaper of the pool and applies it.
ChangeOutcome ChangeFromPool(WallpaperList& list, SettingsStore& settings, WallpaperPool pool,
                             bool premium);
// Fetches (or reuses) the chosen wallpaper, applies it and records it as the current one.
// Picture-name mode when name is not empty, id mode otherwise.
ChangeOutcome DownloadAndApply(const std::string& id, const std::string& name,
                               SettingsStore& settings, WallpaperList& list);
ChangeOutcome ApplyById(int id, SettingsStore& settings, WallpaperList& list);
// Fetches an image link into custom.jpg, reports the link to the service, applies it.
ChangeOutcome ApplyLink(const std::string& link);

// Converts the image into AppFolder\data\wall.bmp, each screen showing its centre, and makes that
// the desktop wallpaper. When the image cannot be converted, wall.bmp, the registry and the
// desktop stay as they were, and the failure says why.
ChangeFailure ApplyDesktopImage(const std::string& imagePath);

// Sets the file's last-write time to now (when it can be opened) and returns that time.
FILETIME TouchFile(const std::string& path);
// Makes the listed wallpaper of that name the newest (its thumbnail's time is its place, also
// after a restart); false when the list does not hold it.
bool RefreshStoredWallpaper(WallpaperList& list, const std::string& name);

// The changes as the program carries them out, with its list and settings: each writes its line
// in the diagnostics log (log.h), with what asked for it.
//
// A change the user asked for, from a pool or, handed over, by a number (-5 to -1 draw from a
// pool, any other names a wallpaper): the busy icon shows while it runs, and the tray menu's and
// the settings page's restart the automatic change's count (user_change_win.cpp says why).
void ChangeWallpaperForUser(WallpaperPool pool, bool premium, ChangeOrigin origin);
void ChangeWallpaperForUser(int handOffNumber, ChangeOrigin origin);
// The automatic change (auto_change_day.h has its rules; auto_change_win.cpp carries them out).
// Its change draws from the stored pool; when the service cannot be reached at all, or the
// connection is metered, the stored wallpaper shown longest ago is shown instead, if the store
// holds two or more. Each step that matters writes its line in the log.
//
// The clock that tells whether the interval has passed after a wake; tests stand in for it.
using AutoChangeClock = ULONGLONG(WINAPI*)();
AutoChangeClock SetAutoChangeClock(AutoChangeClock replacement);
// The count and the clock start with the timer.
void StartAutoChangeClock();
// A change the user made from the menu or the page: the next automatic one is an interval away.
void RestartAutoChangeCount();
// One minute of the automatic-change timer: the change when it is due and nothing holds it.
void ChangeWallpaperIfDue();
// After a resume from sleep or an unlock: true when the change is due and is to run a few seconds
// later, through RunDelayedAutoChange.
bool AutoChangeDueAfterWake();
bool AutoChangeDueAfterUnlock();
void NoteSessionLocked();
void RunDelayedAutoChange();
// An image link (ApplyLink).
void ChangeToLink(const std::string& link, ChangeOrigin origin);
// An image file (ApplyDesktopImage): a stored wallpaper, a dropped file.
bool ChangeToFile(const std::string& path, ChangeOrigin origin);
// ChangeToFile of a file dropped on the settings window; its picture is kept as the data folder's
// dropped.jpg, so that a display change can draw it again. path is the picture (the drop's own
// copy, when it kept one), droppedPath the file the user dropped, which names the change.
bool ChangeToDroppedFile(const std::string& path, const std::string& droppedPath);
