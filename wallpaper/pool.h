// The pools that the service draws a wallpaper from, and the pool codes of the command line and
// of a second copy's hand-off. Windows-free.
#pragma once

// Holds any unsigned number: the change timer passes FromSettings (255).
enum class WallpaperPool : unsigned {
  Super = 0,                // the service's featured wallpapers
  All = 1,                  // all wallpapers
  FavouriteWallpapers = 2,  // the user's favourite wallpapers
  FavouriteCategories = 3,  // wallpapers of the user's favourite categories
  Added = 4,                // the user's own uploads
  FromSettings = 255,
};

// A draw from the featured wallpapers is the premium one; every other is not.
constexpr bool IsPremiumPool(WallpaperPool pool) { return pool == WallpaperPool::Super; }

struct PoolChoice {
  WallpaperPool pool;
  bool premium;
};

// -5 featured (premium), -4 added, -3 favourite categories, -2 favourite wallpapers, -1 all;
// false for every other number, which names a wallpaper.
bool PoolForHandOffNumber(int value, PoolChoice& choice);
