#include "wallpaper/screen_layout.h"

#include <algorithm>
#include <climits>

#include "recent/picture_name.h"
#include "wallpaper/desktop_wallpaper.h"

namespace {

// The remainder that tiles take: never negative.
int Wrapped(int value, int period) {
  const int rest = value % period;
  return rest < 0 ? rest + period : rest;
}

bool HasSize(const Monitor& monitor) { return monitor.width > 0 && monitor.height > 0; }

}  // namespace

bool IsShownFileName(const std::string& name) {
  return IsSafePictureName(name) || name == kCustomPictureFile || name == kDroppedPictureFile;
}

Arrangement ArrangementFor(std::size_t monitorCount, unsigned long majorVersion,
                           unsigned long minorVersion) {
  if (monitorCount <= 1) return Arrangement::Single;
  // The span style exists from Windows 8 (6.2) on.
  const bool knowsSpan = majorVersion > 6 || (majorVersion == 6 && minorVersion >= 2);
  return knowsSpan ? Arrangement::Span : Arrangement::Tile;
}

DesktopStyle DesktopStyleFor(Arrangement arrangement, unsigned long majorVersion,
                             unsigned long minorVersion) {
  switch (arrangement) {
    case Arrangement::Span:
      return {"0", "22"};
    case Arrangement::Tile:
      return {"1", "0"};
    case Arrangement::Single:
      break;
  }
  return {"0", DesktopWallpaperStyle(majorVersion, minorVersion)};
}

WallpaperPlan PlanWallpaper(const std::vector<Monitor>& monitors, Arrangement arrangement) {
  WallpaperPlan plan;
  int left = INT_MAX;
  int top = INT_MAX;
  int right = INT_MIN;
  int bottom = INT_MIN;
  for (const Monitor& monitor : monitors) {
    if (!HasSize(monitor)) continue;
    left = std::min(left, monitor.x);
    top = std::min(top, monitor.y);
    right = std::max(right, monitor.x + monitor.width);
    bottom = std::max(bottom, monitor.y + monitor.height);
  }
  if (left == INT_MAX) return plan;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const Monitor& monitor = monitors[i];
    if (!HasSize(monitor)) continue;
    if (arrangement == Arrangement::Single) {
      plan.width = monitor.width;
      plan.height = monitor.height;
      plan.frames.push_back({i, {0, 0, monitor.width, monitor.height}});
      return plan;
    }
    if (arrangement == Arrangement::Span) {
      plan.frames.push_back(
          {i, {monitor.x - left, monitor.y - top, monitor.width, monitor.height}});
      continue;
    }
    // Tiles start at the primary's top-left, the origin: a bitmap of the bounding size maps
    // every point of the virtual screen to one pixel of it, wrapped.
    const int width = right - left;
    const int height = bottom - top;
    const int x = Wrapped(monitor.x, width);
    const int y = Wrapped(monitor.y, height);
    for (const int frameX : {x, x - width}) {
      if (frameX + monitor.width <= 0 || frameX >= width) continue;
      for (const int frameY : {y, y - height}) {
        if (frameY + monitor.height <= 0 || frameY >= height) continue;
        plan.frames.push_back({i, {frameX, frameY, monitor.width, monitor.height}});
      }
    }
  }
  plan.width = right - left;
  plan.height = bottom - top;
  return plan;
}

void SortMonitors(std::vector<Monitor>& monitors) {
  std::stable_sort(monitors.begin(), monitors.end(), [](const Monitor& a, const Monitor& b) {
    if (a.primary != b.primary) return a.primary;
    if (a.x != b.x) return a.x < b.x;
    return a.y < b.y;
  });
}

std::string LayoutLogText(const std::vector<Monitor>& monitors, Arrangement arrangement) {
  std::string text =
      std::to_string(monitors.size()) + (monitors.size() == 1 ? " screen" : " screens");
  const char* separator = ": ";
  for (const Monitor& monitor : monitors) {
    text += separator + std::to_string(monitor.width) + "x" + std::to_string(monitor.height);
    if (monitors.size() > 1) {
      text += " at " + std::to_string(monitor.x) + "," + std::to_string(monitor.y);
      if (monitor.primary) text += " (primary)";
    }
    separator = ", ";
  }
  if (arrangement == Arrangement::Span) text += "; span";
  if (arrangement == Arrangement::Tile) text += "; tiled from the primary";
  return text;
}

std::string FormatShownPictures(const std::vector<ShownPicture>& shown) {
  std::string text;
  for (const ShownPicture& picture : shown) text += picture.device + "\t" + picture.file + "\r\n";
  return text;
}

std::vector<ShownPicture> ParseShownPictures(const std::string& text) {
  std::vector<ShownPicture> shown;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) break;
    ShownPicture picture{line.substr(0, tab), line.substr(tab + 1)};
    // The record names files to read: never a path, never one of the program's own files.
    if (!IsShownFileName(picture.file)) break;
    shown.push_back(std::move(picture));
  }
  return shown;
}

std::string ShownFileFor(const std::vector<ShownPicture>& shown, const std::string& device) {
  for (const ShownPicture& picture : shown) {
    if (picture.device == device) return picture.file;
  }
  return shown.empty() ? std::string() : shown.front().file;
}
