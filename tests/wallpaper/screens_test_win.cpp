#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/app_paths_win.h"
#include "base/log.h"
#include "base/path.h"
#include "support/file_bytes.h"
#include "support/gdiplus_test.h"
#include "support/seam_replacement.h"
#include "support/temp_folder.h"
#include "support/user_state_win.h"
#include "support/test_picture.h"
#include "wallpaper/monitor_at.h"
#include "wallpaper/screens_win.h"
#include "wallpaper/wallpaper.h"

namespace {

constexpr int kInset = 6;
constexpr int kTolerance = 40;

Monitor At(const char* device, int x, int y, int width, int height) {
  return MonitorAt(x, y, width, height, device);
}

// Layouts the tests stand in for the system's: the second monitor of each is 16:9 like the
// primary, so that one quadrant picture shows whole on both.
std::vector<Monitor> OneScreen() { return {At("\\\\.\\DISPLAY1", 0, 0, 1920, 1080)}; }
std::vector<Monitor> RightAndHigher() {
  return {At("\\\\.\\DISPLAY2", 1920, -200, 1280, 720), At("\\\\.\\DISPLAY1", 0, 0, 1920, 1080)};
}
std::vector<Monitor> LeftAndLower() {
  return {At("\\\\.\\DISPLAY1", 0, 0, 1920, 1080), At("\\\\.\\DISPLAY2", -1600, 300, 1600, 900)};
}

unsigned long VersionPart(bool major) {
  using RtlGetVersionFunction = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
  auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
      ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion"));
  RTL_OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof info;
  rtlGetVersion(&info);
  return major ? info.dwMajorVersion : info.dwMinorVersion;
}

// What a monitor of the virtual screen shows of the wallpaper bitmap, worked out from how
// Windows lays it: spanned from the virtual screen's top-left, or tiled from the primary's.
Picture SeenOn(const Picture& wall, const std::vector<Monitor>& monitors, const Monitor& monitor,
               Arrangement arrangement) {
  int left = 0;
  int top = 0;
  for (const Monitor& m : monitors) {
    left = std::min(left, m.x);
    top = std::min(top, m.y);
  }
  Picture seen;
  seen.width = monitor.width;
  seen.height = monitor.height;
  for (int y = monitor.y; y < monitor.y + monitor.height; ++y) {
    for (int x = monitor.x; x < monitor.x + monitor.width; ++x) {
      const int bitmapX =
          arrangement == Arrangement::Span ? x - left : (x % wall.width + wall.width) % wall.width;
      const int bitmapY = arrangement == Arrangement::Span
                              ? y - top
                              : (y % wall.height + wall.height) % wall.height;
      seen.pixels.push_back(wall.At(bitmapX, bitmapY));
    }
  }
  return seen;
}

std::vector<Monitor> g_layout;
std::vector<Monitor> StoodInLayout() { return g_layout; }

class Screens : public GdiplusTest {
 protected:
  void SetUp() override {
    GdiplusTest::SetUp();
    ::DeleteFileA(LogFilePath().c_str());
    ::DeleteFileA(JoinPath(AppFolderPath(), "screens.txt").c_str());
  }
  void TearDown() override {
    for (const std::string& file : written_) ::DeleteFileA(file.c_str());
  }

  // A picture of the data folder, whose centre at 16:9 shows the quadrants; lossless, as a
  // smaller screen scales its edges' blur less.
  std::string StorePicture(const char* name, const Quadrants& quadrants = kQuadrants) {
    const std::string path = JoinPath(EnsureDataFolder(), name);
    EXPECT_TRUE(
        WriteQuadrantPicture(path, 1000, 1000, {0, 219, 1000, 562}, L"image/png", quadrants));
    written_.push_back(path);
    return path;
  }

  static void Lay(std::vector<Monitor> monitors) { g_layout = std::move(monitors); }

  static std::string LogText() { return ReadFileBytes(LogFilePath()); }

  void ExpectEveryScreenShows(const Quadrants& quadrants) {
    const Picture wall = ReadPicture(wall_);
    std::vector<Monitor> monitors = g_layout;
    SortMonitors(monitors);
    const Arrangement arrangement =
        ArrangementFor(monitors.size(), VersionPart(true), VersionPart(false));
    const WallpaperPlan plan = PlanWallpaper(monitors, arrangement);
    ASSERT_EQ(wall.width, plan.width);
    ASSERT_EQ(wall.height, plan.height);
    for (const Monitor& monitor : monitors) {
      SCOPED_TRACE(monitor.device);
      EXPECT_TRUE(ShowsQuadrants(SeenOn(wall, monitors, monitor, arrangement), kInset, kTolerance,
                                 quadrants));
    }
  }

  UserStateGuard userState_;
  SeamReplacement<MonitorReader> reader_{SetMonitorReader, StoodInLayout};
  std::vector<std::string> written_;
  const std::string wall_ = JoinPath(EnsureDataFolder(), "wall.bmp");
};

TEST_F(Screens, EachMonitorShowsTheWholeCentreAndTheRestIsBlack) {
  for (const auto& layout : {RightAndHigher(), LeftAndLower()}) {
    Lay(layout);
    ASSERT_EQ(ApplyDesktopImage(StorePicture("abc.jpg")), ChangeFailure::None);
    ExpectEveryScreenShows(kQuadrants);
    const Picture wall = ReadPicture(wall_);
    // Right and higher, spanned: below the second monitor; tiled: it fills the bitmap's bottom
    // right corner. Left and lower: above the second monitor either way.
    const bool span = ArrangementFor(2, VersionPart(true), VersionPart(false)) == Arrangement::Span;
    const Argb corner = layout[0].x == 1920 ? wall.At(wall.width - 1, span ? wall.height - 1 : 250)
                                            : wall.At(span ? 10 : 1930, 10);
    EXPECT_EQ(corner & 0xFFFFFF, 0u);
  }
  EXPECT_NE(LogText().find("layout: 2 screens: 1920x1080 at 0,0 (primary), 1600x900 at -1600,300"),
            std::string::npos);
}

TEST_F(Screens, RefitDrawsTheShownPictureForTheNewLayoutAndFailsWithoutIt) {
  Lay(OneScreen());
  const std::string picture = StorePicture("abc.jpg");
  ASSERT_EQ(ApplyDesktopImage(picture), ChangeFailure::None);
  EXPECT_EQ(ReadPicture(wall_).width, 1920);

  Lay(RightAndHigher());
  ASSERT_TRUE(RefitWallpaperToScreens());
  ExpectEveryScreenShows(kQuadrants);
  EXPECT_NE(LogText().find("re-fitted to 2 screens"), std::string::npos);

  const std::string refitted = ReadFileBytes(wall_);
  ASSERT_TRUE(::DeleteFileA(picture.c_str()));
  Lay(OneScreen());
  EXPECT_FALSE(RefitWallpaperToScreens());
  EXPECT_EQ(ReadFileBytes(wall_), refitted);
  EXPECT_NE(LogText().find("re-fit failed: abc.jpg cannot be read"), std::string::npos);
}

TEST_F(Screens, ADroppedFileIsKeptForARefitButAFileFromElsewhereIsNot) {
  Lay(RightAndHigher());
  const std::string dropped = StorePicture("kol1234.tmp", kOtherQuadrants);
  written_.push_back(JoinPath(EnsureDataFolder(), "dropped.jpg"));
  ::SetFileAttributesA(dropped.c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(ChangeToDroppedFile(dropped, dropped));
  ::SetFileAttributesA(dropped.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileA(dropped.c_str());  // as the drop does once it is carried out

  Lay(LeftAndLower());
  ASSERT_TRUE(RefitWallpaperToScreens());
  ExpectEveryScreenShows(kOtherQuadrants);
  const DWORD attributes =
      ::GetFileAttributesA(JoinPath(EnsureDataFolder(), "dropped.jpg").c_str());
  EXPECT_FALSE(attributes & FILE_ATTRIBUTE_READONLY);

  const TempFolder elsewhere;
  const std::string outside = elsewhere.File("outside.jpg");
  ASSERT_TRUE(WriteQuadrantPicture(outside, 320, 180, {0, 0, 320, 180}, L"image/jpeg"));
  ASSERT_TRUE(ChangeToFile(outside, ChangeOrigin::Page));
  EXPECT_FALSE(RefitWallpaperToScreens()) << "a file the program does not keep is not drawn again";
}

}  // namespace
