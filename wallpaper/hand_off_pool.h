// The pool codes of the command line and of a second copy's hand-off. Windows-free.
#pragma once

#include "wallpaper/wallpaper_pool.h"

struct PoolChoice {
  WallpaperPool pool;
  bool premium;
};

// -5 featured (premium), -4 added, -3 favourite categories, -2 favourite wallpapers, -1 all;
// false for every other number, which names a wallpaper.
bool PoolForHandOffNumber(int value, PoolChoice& choice);
