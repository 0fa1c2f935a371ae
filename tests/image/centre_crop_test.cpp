#include <gtest/gtest.h>

#include <ostream>

#include "image/image.h"

std::ostream& operator<<(std::ostream& out, const CropRectangle& r) {
  return out << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

CropRectangle OnScreen(int width, int height) {
  return CentreCrop(width, height, kScreenWidth, kScreenHeight);
}

CropRectangle ForThumbnail(int width, int height) { return CentreCrop(width, height, 120, 100); }

TEST(CentreCrop, RelativelyTallerSourceLosesTopAndBottom) {
  // 1000 / 1.7777778 = 562.5 truncates to 562; the margins are (1000 - 562) / 2 = 219.
  EXPECT_EQ(OnScreen(1000, 1000), (CropRectangle{0, 219, 1000, 562}));
  // A small picture is cropped the same way before it is scaled up.
  EXPECT_EQ(OnScreen(320, 240), (CropRectangle{0, 30, 320, 180}));
}

TEST(CentreCrop, RelativelyWiderSourceLosesBothSides) {
  EXPECT_EQ(ForThumbnail(1920, 1080), (CropRectangle{312, 0, 1296, 1080}));
  EXPECT_EQ(OnScreen(7680, 1080), (CropRectangle{2880, 0, 1920, 1080}));
}

TEST(CentreCrop, MarginsRoundDownSoTheCropCanGrowByAPixel) {
  // 1.7777778 x 1000 truncates to 1777, the odd 2223 pixels left leave margins of 1111 each.
  EXPECT_EQ(OnScreen(4000, 1000), (CropRectangle{1111, 0, 1778, 1000}));
  // 1000 / 1.2 truncates to 833: margins of 83, a crop of 834.
  EXPECT_EQ(ForThumbnail(1000, 1000), (CropRectangle{0, 83, 1000, 834}));
}

TEST(CentreCrop, SourceOfTheFramesRatioIsKeptWhole) {
  EXPECT_EQ(OnScreen(1920, 1080), (CropRectangle{0, 0, 1920, 1080}));
  EXPECT_EQ(OnScreen(1280, 720), (CropRectangle{0, 0, 1280, 720}));
  EXPECT_EQ(OnScreen(7680, 4320), (CropRectangle{0, 0, 7680, 4320}));
  EXPECT_EQ(ForThumbnail(1200, 1000), (CropRectangle{0, 0, 1200, 1000}));
}

TEST(CentreCrop, EveryStepIsRoundedToSinglePrecision) {
  // 16 / 1.7777778f is 8.99999995, which single precision rounds to 9 before it is truncated;
  // dividing in double precision by the single-precision ratio would give a crop of 8 rows.
  EXPECT_EQ(OnScreen(16, 100), (CropRectangle{0, 45, 16, 10}));
  // On a 3440x1440 screen 129 / 2.3888888f rounds to exactly 54; with the 80-bit intermediates
  // of 32-bit x87 code the quotient stays below 54 and the crop loses two rows.
  EXPECT_EQ(CentreCrop(129, 55, 3440, 1440), (CropRectangle{0, 0, 129, 55}));
}

TEST(CentreCrop, SizesThatAreNotPositiveGiveTheWholeSource) {
  EXPECT_EQ(OnScreen(0, 0), (CropRectangle{0, 0, 0, 0}));
  EXPECT_EQ(OnScreen(100, 0), (CropRectangle{0, 0, 100, 0}));
  EXPECT_EQ(CentreCrop(100, 50, 0, 1080), (CropRectangle{0, 0, 100, 50}));
  EXPECT_EQ(CentreCrop(100, 50, 1920, 0), (CropRectangle{0, 0, 100, 50}));
}

}  // namespace
