#include <gtest/gtest.h>

#include "wallpaper/pool.h"

TEST(HandOffPool, MapsMinusFiveToMinusOneAndNothingElse) {
  PoolChoice choice{WallpaperPool::FromSettings, false};
  ASSERT_TRUE(PoolForHandOffNumber(-5, choice));
  EXPECT_EQ(choice.pool, WallpaperPool::Super);
  EXPECT_TRUE(choice.premium);
  const WallpaperPool expected[] = {WallpaperPool::Added, WallpaperPool::FavouriteCategories,
                                    WallpaperPool::FavouriteWallpapers, WallpaperPool::All};
  for (int value = -4; value <= -1; ++value) {
    ASSERT_TRUE(PoolForHandOffNumber(value, choice)) << value;
    EXPECT_EQ(choice.pool, expected[value + 4]) << value;
    EXPECT_FALSE(choice.premium) << value;
  }
  for (int value : {-7, -6, 0, 1, 12345})
    EXPECT_FALSE(PoolForHandOffNumber(value, choice)) << value;
}
