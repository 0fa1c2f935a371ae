#include "wallpaper/pool.h"

namespace {

PoolChoice Choice(WallpaperPool pool) { return {pool, IsPremiumPool(pool)}; }

}  // namespace

bool PoolForHandOffNumber(int value, PoolChoice& choice) {
  switch (value) {
    case -5:
      choice = Choice(WallpaperPool::Super);
      return true;
    case -4:
      choice = Choice(WallpaperPool::Added);
      return true;
    case -3:
      choice = Choice(WallpaperPool::FavouriteCategories);
      return true;
    case -2:
      choice = Choice(WallpaperPool::FavouriteWallpapers);
      return true;
    case -1:
      choice = Choice(WallpaperPool::All);
      return true;
    default:
      return false;
  }
}
