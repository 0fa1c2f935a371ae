// The desktop's monitors and where each one's picture goes in the one wall.bmp: the layout
// arithmetic, the desktop style values that go with it, the layout's log text, and the record of
// which stored picture each screen shows (kept for a re-fit after a display change).
// Windows-free.
#pragma once

#include <string>
#include <vector>

#include "image/image.h"

// One monitor of the desktop, in physical pixels of the virtual screen (the primary's top-left
// is 0,0, so a monitor left of or above it has negative coordinates).
struct Monitor {
  std::string device;  // the system's name of the display ("\\.\DISPLAY2"), ANSI
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool primary = false;
};

// How Windows lays one bitmap over the desktop.
enum class Arrangement {
  Single,  // one monitor: the bitmap has its size, fitted ("6") or centred ("0")
  Span,    // Windows 8 on: one bitmap across the virtual screen, its top-left at the screen's
  Tile,    // before Windows 8: the bitmap tiled from the primary's top-left
};

Arrangement ArrangementFor(std::size_t monitorCount, unsigned long majorVersion,
                           unsigned long minorVersion);

struct DesktopStyle {
  const char* tileWallpaper;
  const char* wallpaperStyle;
};
DesktopStyle DesktopStyleFor(Arrangement arrangement, unsigned long majorVersion,
                             unsigned long minorVersion);

// Where one monitor's picture is drawn in the bitmap: its centre crop fills the frame, which has
// the monitor's size. A frame may reach past the bitmap's edges; what lies outside is cut off.
struct PictureFrame {
  std::size_t monitor = 0;  // index into the monitors planned for
  CropRectangle frame;
};

struct WallpaperPlan {
  int width = 0;
  int height = 0;
  std::vector<PictureFrame> frames;
};

// The bitmap for these monitors: for Single the first monitor's size; for Span and Tile the
// virtual screen's bounding size, each monitor's rectangle where the desktop shows that part of
// the bitmap (Tile wraps a monitor left of or above the primary round to the far side, and a
// monitor across the primary's left or top edge gets a frame on each side). Monitors without a
// positive size are left out.
WallpaperPlan PlanWallpaper(const std::vector<Monitor>& monitors, Arrangement arrangement);

// The primary first, the rest from left to right and top to bottom: the order in which screens
// are numbered, drawn for and recorded.
void SortMonitors(std::vector<Monitor>& monitors);

// "2 screens: 1920x1080 at 0,0 (primary), 1280x1024 at 1920,0; span".
std::string LayoutLogText(const std::vector<Monitor>& monitors, Arrangement arrangement);

// What each screen shows: for each monitor (by device name) the file in the data folder whose
// picture is on it. The first entry is the primary's, which a screen missing from the record
// shows.
struct ShownPicture {
  std::string device;
  std::string file;
};

// True for a file that a screen can show: a stored picture's, the last link's or the last drop's.
bool IsShownFileName(const std::string& name);

// One "device<TAB>file" line each, CRLF-terminated.
std::string FormatShownPictures(const std::vector<ShownPicture>& shown);
// The lines of FormatShownPictures; a line without a tab, or whose file name could name anything
// but a plain file of the data folder, ends the record there.
std::vector<ShownPicture> ParseShownPictures(const std::string& text);
// The file for a monitor: its own entry's, else the primary's; empty for an empty record.
std::string ShownFileFor(const std::vector<ShownPicture>& shown, const std::string& device);
