#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include "support/file_bytes.h"
#include "support/gdiplus_test.h"
#include "support/seam_replacement.h"
#include "support/temp_folder.h"
#include "support/test_picture.h"
#include "wallpaper/desktop_wallpaper.h"

namespace {

// Wine draws high-quality bicubic as bilinear and the sources may be JPEG: colours are compared
// with a tolerance, a few pixels away from the edges where neighbours blend.
constexpr int kInset = 6;
constexpr int kTolerance = 40;

class ScreenBitmap : public GdiplusTest {
 protected:
  void SetUp() override {
    GdiplusTest::SetUp();
    // The crops below are those of this screen size (the test session's Xvfb screen).
    ASSERT_EQ(::GetSystemMetrics(SM_CXSCREEN), 1920);
    ASSERT_EQ(::GetSystemMetrics(SM_CYSCREEN), 1080);
  }

  // Writes a quadrant picture whose quadrants fill `centre` and converts it into wall_.
  bool Convert(const std::string& source, int width, int height, const CropRectangle& centre,
               const wchar_t* mimeType) {
    EXPECT_TRUE(WriteQuadrantPicture(source, width, height, centre, mimeType));
    return ConvertToScreenBitmap(source, wall_);
  }

  void ExpectScreenOfQuadrants() {
    const Picture wall = ReadPicture(wall_);
    EXPECT_EQ(wall.width, 1920);
    EXPECT_EQ(wall.height, 1080);
    EXPECT_TRUE(ShowsQuadrants(wall, kInset, kTolerance));
    EXPECT_THAT(TemporaryFilesIn(folder_.Path()), testing::IsEmpty());
  }

  TempFolder folder_;
  const std::string wall_ = folder_.File("wall.bmp");
};

TEST_F(ScreenBitmap, TallJpegLosesTopAndBottomMargins) {
  ASSERT_TRUE(Convert(folder_.File("tall.jpg"), 1000, 1000, {0, 219, 1000, 562}, L"image/jpeg"));
  ExpectScreenOfQuadrants();
}

TEST_F(ScreenBitmap, WidePngLosesBothSideMargins) {
  ASSERT_TRUE(Convert(folder_.File("wide.png"), 4000, 1000, {1111, 0, 1778, 1000}, L"image/png"));
  ExpectScreenOfQuadrants();
}

TEST_F(ScreenBitmap, BmpOfTheScreensRatioIsDrawnWhole) {
  ASSERT_TRUE(Convert(folder_.File("whole.bmp"), 1280, 720, {0, 0, 1280, 720}, L"image/bmp"));
  ExpectScreenOfQuadrants();
}

TEST_F(ScreenBitmap, SmallPictureIsCroppedThenScaledUpToFillTheScreen) {
  ASSERT_TRUE(Convert(folder_.File("small.png"), 320, 240, {0, 30, 320, 180}, L"image/png"));
  ExpectScreenOfQuadrants();
}

TEST_F(ScreenBitmap, PathsWithPolishLettersNameTheSameFiles) {
  ASSERT_EQ(::GetACP(), 1250u) << "the test session runs in the Polish ANSI code page";
  const std::string folder = folder_.File("tapety \xBF\xF3\xB3te");  // żółte in cp1250
  ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
  const std::string source = folder +
                             "\\\xBF"
                             "aba.jpg";
  const std::string wall = folder + "\\wall.bmp";
  ASSERT_TRUE(WriteQuadrantPicture(source, 1000, 1000, {0, 219, 1000, 562}, L"image/jpeg"));

  ASSERT_TRUE(ConvertToScreenBitmap(source, wall));
  EXPECT_TRUE(ShowsQuadrants(ReadPicture(wall), kInset, kTolerance));
}

TEST_F(ScreenBitmap, SourceThatCannotBeReadLeavesTheBitmapAsItWas) {
  ASSERT_TRUE(Convert(folder_.File("first.png"), 320, 180, {0, 0, 320, 180}, L"image/png"));
  const std::string previous = ReadFileBytes(wall_);
  ASSERT_FALSE(previous.empty());
  const std::string page = folder_.File("page.jpg");
  ASSERT_TRUE(WriteFileBytes(page, "<html><body>404 Not Found</body></html>"));
  const std::string damaged = folder_.File("damaged.jpg");
  ASSERT_TRUE(WriteFileBytes(
      damaged, std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\0", 11) + std::string(4000, '\x5A')));
  const std::string empty = folder_.File("empty.jpg");
  ASSERT_TRUE(WriteFileBytes(empty, ""));

  for (const std::string& source : {folder_.File("missing.jpg"), page, damaged, empty}) {
    SCOPED_TRACE(source);
    EXPECT_FALSE(ConvertToScreenBitmap(source, wall_));
    EXPECT_EQ(ReadFileBytes(wall_), previous);
    EXPECT_THAT(TemporaryFilesIn(folder_.Path()), testing::IsEmpty());
  }
}

TEST_F(ScreenBitmap, SaveIntoAMissingFolderFailsAndLeavesNothing) {
  const std::string source = folder_.File("picture.png");
  ASSERT_TRUE(WriteQuadrantPicture(source, 320, 180, {0, 0, 320, 180}, L"image/png"));
  const std::string wall = folder_.File("no such folder\\wall.bmp");
  EXPECT_FALSE(ConvertToScreenBitmap(source, wall));
  EXPECT_FALSE(FileExists(wall));
}

// A scaled system, as Windows shows it to a program that is not DPI-aware: the metrics say less
// than the screen has.
bool NoAwareContext(ScreenSize&) { return false; }
bool AwareContext(ScreenSize& size) {
  size = {2400, 1350};
  return true;
}
bool NoMode(ScreenSize&) { return false; }
bool PhysicalMode(ScreenSize& size) {
  size = {2400, 1350};
  return true;
}
ScreenSize ScaledMetrics() { return {1600, 900}; }

TEST(PrimaryScreenSize, IsThePhysicalSizeWhereverTheSystemTellsIt) {
  // Wine does not scale: the size is the X screen's.
  EXPECT_EQ(PrimaryScreenSize().width, ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(PrimaryScreenSize().height, ::GetSystemMetrics(SM_CYSCREEN));
  const struct {
    const char* system;
    ScreenMeasures measures;
    int width;
  } cases[] = {
      {"per-monitor context", {AwareContext, NoMode, ScaledMetrics}, 2400},
      {"display mode only", {NoAwareContext, PhysicalMode, ScaledMetrics}, 2400},
      {"metrics only", {NoAwareContext, NoMode, ScaledMetrics}, 1600},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.system);
    SeamReplacement<ScreenMeasures> scaled(SetScreenMeasures, c.measures);
    EXPECT_EQ(PrimaryScreenSize().width, c.width);
  }
}

TEST_F(ScreenBitmap, OnAScaledScreenTheBitmapHasThePhysicalSize) {
  SeamReplacement<ScreenMeasures> scaled(SetScreenMeasures,
                                         {NoAwareContext, PhysicalMode, ScaledMetrics});
  ASSERT_TRUE(
      WriteQuadrantPicture(folder_.File("wide.jpg"), 480, 270, {0, 0, 480, 270}, L"image/jpeg"));
  ASSERT_TRUE(ConvertToScreenBitmap(folder_.File("wide.jpg"), wall_));
  const Picture wall = ReadPicture(wall_);
  EXPECT_EQ(wall.width, 2400);
  EXPECT_EQ(wall.height, 1350);
}

}  // namespace
