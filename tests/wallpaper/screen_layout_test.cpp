#include <gtest/gtest.h>

#include <vector>

#include "wallpaper/monitor_at.h"
#include "wallpaper/screen_layout.h"

namespace {

struct FrameRow {
  std::size_t monitor;
  CropRectangle frame;
};

void ExpectPlan(const WallpaperPlan& plan, int width, int height,
                const std::vector<FrameRow>& frames) {
  EXPECT_EQ(plan.width, width);
  EXPECT_EQ(plan.height, height);
  ASSERT_EQ(plan.frames.size(), frames.size());
  for (std::size_t i = 0; i < frames.size(); ++i) {
    EXPECT_EQ(plan.frames[i].monitor, frames[i].monitor) << "frame " << i;
    EXPECT_EQ(plan.frames[i].frame, frames[i].frame) << "frame " << i;
  }
}

TEST(PlanWallpaper, EachMonitorsRectangleWhereTheDesktopShowsIt) {
  const Monitor primary = MonitorAt(0, 0, 1920, 1080);
  const struct {
    const char* layout;
    std::vector<Monitor> monitors;
    Arrangement arrangement;
    int width;
    int height;
    std::vector<FrameRow> frames;
  } cases[] = {
      {"one monitor", {primary}, Arrangement::Single, 1920, 1080, {{0, {0, 0, 1920, 1080}}}},
      {"side by side, spanned",
       {primary, MonitorAt(1920, 0, 1280, 1024)},
       Arrangement::Span,
       3200,
       1080,
       {{0, {0, 0, 1920, 1080}}, {1, {1920, 0, 1280, 1024}}}},
      {"right and higher, spanned from the virtual screen's top-left",
       {primary, MonitorAt(1920, -200, 1600, 900)},
       Arrangement::Span,
       3520,
       1280,
       {{0, {0, 200, 1920, 1080}}, {1, {1920, 0, 1600, 900}}}},
      {"portrait, spanned",
       {primary, MonitorAt(1920, -420, 1080, 1920)},
       Arrangement::Span,
       3000,
       1920,
       {{0, {0, 420, 1920, 1080}}, {1, {1920, 0, 1080, 1920}}}},
      {"left of the primary, tiled: wrapped round to the right",
       {primary, MonitorAt(-1280, 0, 1280, 1024)},
       Arrangement::Tile,
       3200,
       1080,
       {{0, {0, 0, 1920, 1080}}, {1, {1920, 0, 1280, 1024}}}},
      {"right and higher, tiled: its top rows at the bitmap's bottom",
       {primary, MonitorAt(1920, -200, 1600, 900)},
       Arrangement::Tile,
       3520,
       1280,
       {{0, {0, 0, 1920, 1080}}, {1, {1920, 1080, 1600, 900}}, {1, {1920, -200, 1600, 900}}}},
      {"above and across the primary's left edge, tiled: split in two",
       {primary, MonitorAt(-500, -1024, 1280, 1024)},
       Arrangement::Tile,
       2420,
       2104,
       {{0, {0, 0, 1920, 1080}}, {1, {1920, 1080, 1280, 1024}}, {1, {-500, 1080, 1280, 1024}}}},
      {"a monitor without a size is left out",
       {primary, MonitorAt(1920, 0, 0, 0)},
       Arrangement::Span,
       1920,
       1080,
       {{0, {0, 0, 1920, 1080}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.layout);
    ExpectPlan(PlanWallpaper(c.monitors, c.arrangement), c.width, c.height, c.frames);
  }
  EXPECT_TRUE(PlanWallpaper({}, Arrangement::Span).frames.empty());
}

TEST(PlanWallpaper, ArrangementAndStyleValuesFollowTheCountAndTheVersion) {
  const struct {
    std::size_t monitors;
    unsigned long major;
    unsigned long minor;
    Arrangement arrangement;
    const char* tile;
    const char* style;
  } cases[] = {
      {1, 6, 1, Arrangement::Single, "0", "6"}, {1, 6, 0, Arrangement::Single, "0", "0"},
      {2, 6, 1, Arrangement::Tile, "1", "0"},   {3, 5, 1, Arrangement::Tile, "1", "0"},
      {2, 6, 2, Arrangement::Span, "0", "22"},  {2, 10, 0, Arrangement::Span, "0", "22"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.monitors) + " on " + std::to_string(c.major) + "." +
                 std::to_string(c.minor));
    const Arrangement arrangement = ArrangementFor(c.monitors, c.major, c.minor);
    EXPECT_EQ(arrangement, c.arrangement);
    const DesktopStyle style = DesktopStyleFor(arrangement, c.major, c.minor);
    EXPECT_STREQ(style.tileWallpaper, c.tile);
    EXPECT_STREQ(style.wallpaperStyle, c.style);
  }
}

TEST(SortMonitors, PrimaryFirstThenLeftToRightAndTheLogSaysSo) {
  std::vector<Monitor> monitors = {MonitorAt(1920, 0, 1280, 1024), MonitorAt(-1600, 100, 1600, 900),
                                   MonitorAt(0, 0, 1920, 1080)};
  SortMonitors(monitors);
  EXPECT_EQ(LayoutLogText(monitors, Arrangement::Span),
            "3 screens: 1920x1080 at 0,0 (primary), 1600x900 at -1600,100, 1280x1024 at 1920,0; "
            "span");
  EXPECT_EQ(LayoutLogText({MonitorAt(0, 0, 2560, 1440)}, Arrangement::Single),
            "1 screen: 2560x1440");
}

TEST(ShownPictures, ReadBackAsWrittenAndNeverNamingAPath) {
  const std::vector<ShownPicture> shown = {{"\\\\.\\DISPLAY1", "abc.jpg"},
                                           {"\\\\.\\DISPLAY2", "custom.jpg"},
                                           {"\\\\.\\DISPLAY3", "dropped.jpg"}};
  const std::vector<ShownPicture> read = ParseShownPictures(FormatShownPictures(shown));
  ASSERT_EQ(read.size(), 3u);
  for (std::size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(read[i].device, shown[i].device);
    EXPECT_EQ(read[i].file, shown[i].file);
  }
  EXPECT_EQ(ShownFileFor(read, "\\\\.\\DISPLAY2"), "custom.jpg");
  EXPECT_EQ(ShownFileFor(read, "\\\\.\\DISPLAY9"), "abc.jpg") << "a new screen shows the primary's";
  EXPECT_EQ(ShownFileFor({}, "\\\\.\\DISPLAY1"), "");

  for (const char* bad :
       {"..\\config.dat", "C:\\Windows\\a.jpg", "wall.bmp", "kol12.tmp", "", "a/b.jpg"}) {
    SCOPED_TRACE(bad);
    const std::vector<ShownPicture> cut =
        ParseShownPictures("D1\tabc.jpg\r\nD2\t" + std::string(bad) + "\r\nD3\tdef.jpg\r\n");
    ASSERT_EQ(cut.size(), 1u) << "the record ends at a name that is no plain picture";
    EXPECT_EQ(cut[0].file, "abc.jpg");
  }
  EXPECT_TRUE(ParseShownPictures("no tab here\r\nD1\tabc.jpg\r\n").empty());
  EXPECT_EQ(ParseShownPictures("D1\tabc.jpg").size(), 1u) << "a last line without its CRLF";
}

}  // namespace
