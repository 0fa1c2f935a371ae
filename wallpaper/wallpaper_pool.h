// The pools that the service draws a wallpaper from. Windows-free.
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
