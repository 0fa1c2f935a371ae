// A monitor for the layout tests: the primary is the one at 0,0, as Windows places it.
#pragma once

#include "wallpaper/screen_layout.h"

inline Monitor MonitorAt(int x, int y, int width, int height, const char* device = "") {
  Monitor monitor;
  monitor.device = device;
  monitor.x = x;
  monitor.y = y;
  monitor.width = width;
  monitor.height = height;
  monitor.primary = x == 0 && y == 0;
  return monitor;
}
