// The changes that the user, a second copy or a web page asks for, as the program carries them
// out with its list and settings: each writes its line in the diagnostics log (log.h), with what
// asked for it.
#pragma once

#include <string>

#include "wallpaper/change_outcome.h"
#include "wallpaper/pool.h"

// A change the user asked for, from a pool or of the wallpaper with that service id: the busy
// icon shows while it runs, and the tray menu's and the settings page's restart the automatic
// change's count (user_change_win.cpp says why).
void ChangeWallpaperForUser(WallpaperPool pool, bool premium, ChangeOrigin origin);
void ChangeToWallpaperId(int id, ChangeOrigin origin);
// An image link (ApplyLink).
void ChangeToLink(const std::string& link, ChangeOrigin origin);
// An image file (ApplyDesktopImage): a stored wallpaper, a dropped file.
bool ChangeToFile(const std::string& path, ChangeOrigin origin);
// ChangeToFile of a file dropped on the settings window; its picture is kept as the data folder's
// dropped.jpg, so that a display change can draw it again. path is the picture (the drop's own
// copy, when it kept one), droppedPath the file the user dropped, which names the change.
bool ChangeToDroppedFile(const std::string& path, const std::string& droppedPath);
