// The screens a wallpaper is made for: the desktop's monitors as the system reports them, the one
// bitmap drawn for all of them, setting it, and the record of what each screen shows, from which
// a display change draws the desktop again. The arithmetic is in screen_layout.h.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <functional>
#include <string>
#include <vector>

#include "image/image_win.h"
#include "wallpaper/change_outcome.h"
#include "wallpaper/screen_layout.h"

// Runs measure in a per-monitor-aware thread context, in which the system tells sizes in physical
// pixels, and puts the thread's own context back; false, measure not run, where the system has
// no such context.
bool InPerMonitorAwareContext(const std::function<void()>& measure);

// The desktop's monitors, sorted (SortMonitors), in physical pixels as PrimaryScreenSize measures:
// from a per-monitor-aware thread context where the system offers one, else from each display's
// current mode, else as the system tells this program. Mirrored displays are one monitor, and
// displays that are not part of the desktop none.
std::vector<Monitor> DesktopMonitors();
// How DesktopMonitors reads them; tests stand in layouts of several monitors.
using MonitorReader = std::vector<Monitor> (*)();
MonitorReader SetMonitorReader(MonitorReader replacement);

// The screens as a wallpaper is made for them now: the monitors (one: the primary, of
// PrimaryScreenSize), how Windows lays the bitmap over them and where each one's picture goes.
struct Screens {
  std::vector<Monitor> monitors;
  Arrangement arrangement = Arrangement::Single;
  DesktopStyle style = {"0", "6"};
  WallpaperPlan plan;
};
Screens CurrentScreens();

// The wallpaper bitmap: pictures[i] centre-cropped into monitor i's frames, black elsewhere;
// empty when it cannot be drawn.
ScopedGdipBitmap DrawWallpaper(const Screens& screens,
                               const std::vector<Gdiplus::GpBitmap*>& pictures);
// Saves wallpaper as AppFolder\data\wall.bmp (whole or not at all), writes the desktop's style
// values and makes it the wallpaper; then records which data file each screen shows (files[i]
// monitor i's; an empty name records nothing for a re-fit). Logs the layout.
ChangeFailure SetWallpaper(Gdiplus::GpBitmap* wallpaper, const Screens& screens,
                           const std::vector<std::string>& files);
// DrawWallpaper and SetWallpaper with one picture on every screen, its file as given.
ChangeFailure ShowOnEveryScreen(Gdiplus::GpBitmap* picture, const std::string& file);

// What each screen shows, as SetWallpaper last recorded it (AppFolder\screens.txt).
std::vector<ShownPicture> ReadShownPictures();
// The data files named there, for the list to keep.
std::vector<std::string> ShownPictureFiles();

// Draws the desktop again for the screens as they are now from the pictures they show (after a
// display change): no request, no change to the recent list. False, wall.bmp as it was, when a
// picture cannot be read or drawn; each outcome is logged.
bool RefitWallpaperToScreens();
