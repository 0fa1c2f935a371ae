#include "wallpaper/pool.h"

bool PoolForHandOffNumber(int value, PoolChoice& choice) {
  switch (value) {
    case -5:
      choice = {WallpaperPool::Super, true};
      return true;
    case -4:
      choice = {WallpaperPool::Added, false};
      return true;
    case -3:
      choice = {WallpaperPool::FavouriteCategories, false};
      return true;
    case -2:
      choice = {WallpaperPool::FavouriteWallpapers, false};
      return true;
    case -1:
      choice = {WallpaperPool::All, false};
      return true;
    default:
      return false;
  }
}
