// The automatic change through a day, with the machine's state, its clock and its connection
// stood in for, and stored wallpapers to show on a metered connection (which downloads nothing, so
// no service is needed). What happened is read from the diagnostics log.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "base/log.h"
#include "recent/recent.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"
#include "support/file_bytes.h"
#include "support/seam_replacement.h"
#include "support/user_state_win.h"
#include "system/machine_state_win.h"
#include "system/notification_icon_win.h"
#include "wallpaper/wallpaper.h"
#include "recent/wallpaper_list_fixture.h"

namespace {

ULONGLONG g_nowMs = 0;
bool g_fullScreen = false;
bool g_batterySaver = false;
bool g_metered = true;

ULONGLONG WINAPI FakeClock() { return g_nowMs; }
bool FakeFullScreen() { return g_fullScreen; }
bool FakeBatterySaver() { return g_batterySaver; }
bool FakeMetered() { return g_metered; }
// The busy icon of a change: an icon of this process would stay in the notification area after it.
BOOL WINAPI NoShell(DWORD, PNOTIFYICONDATAA) { return TRUE; }

class AutoChangeThroughADay : public WallpaperListTest {
 protected:
  void SetUp() override {
    WallpaperListTest::SetUp();
    g_nowMs = 1000;
    g_fullScreen = g_batterySaver = false;
    g_metered = true;
    ::DeleteFileA(LogFilePath().c_str());
    AppSettings().SetFlag(kAutoChangeKey, true);
    AppSettings().SetInt(kChangeIntervalKey, 10);
    StartAutoChangeClock();
  }
  void TearDown() override {
    AppWallpapers().Clear();
    AppWallpapers().SetFolders("", "");
  }

  // Pictures stored oldest first, the last the newest (on the desktop now), as the program's list.
  void StoreOldestFirst(const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      StorePicture(names[i]);
      StoreThumbnail(names[i], static_cast<int>(i));
    }
    AppWallpapers().SetFolders(data_, thumbnails_);
    AppWallpapers().Load();
  }

  static void Minutes(int minutes) { g_nowMs += minutes * 60000ull; }
  static void Ticks(int count) {
    for (int i = 0; i < count; ++i) {
      Minutes(1);
      ChangeWallpaperIfDue();
    }
  }

  // The log's lines since the last call, without their times and the changes' durations.
  std::vector<std::string> NewLines() {
    const std::string text = ReadFileBytes(LogFilePath());
    std::vector<std::string> lines;
    for (std::size_t at = read_; at < text.size();) {
      const std::size_t end = text.find("\r\n", at);
      std::string line = text.substr(at + 20, end - at - 20);
      const std::size_t took = line.rfind(", ");
      if (line.compare(0, 7, "change ") == 0 && took != std::string::npos) line.erase(took);
      at = end + 2;
      if (line.compare(0, 7, "layout:") == 0) continue;  // the first change of the process tells it
      lines.push_back(line);
    }
    read_ = text.size();
    return lines;
  }

  std::vector<std::string> ListNames() const {
    std::vector<std::string> names;
    for (const WallpaperEntry& entry : AppWallpapers().Entries()) names.push_back(entry.name);
    return names;
  }

  UserStateGuard userState_;
  SeamReplacement<AutoChangeClock> clock_{SetAutoChangeClock, FakeClock};
  SeamReplacement<MachineProbe> fullScreen_{SetFullScreenProbe, FakeFullScreen};
  SeamReplacement<MachineProbe> batterySaver_{SetBatterySaverProbe, FakeBatterySaver};
  SeamReplacement<MachineProbe> metered_{SetMeteredProbe, FakeMetered};
  SeamReplacement<NotifyIconFunction> shell_{SetNotifyIconFunction, NoShell};
  std::size_t read_ = 0;
};

using Lines = std::vector<std::string>;

TEST_F(AutoChangeThroughADay, WakesPostponementsAndTheStoreOnAMeteredConnection) {
  StoreOldestFirst({"1.jpg", "2.jpg", "3.jpg", "4.jpg"});
  Ticks(3);
  EXPECT_FALSE(AutoChangeDueAfterWake());
  EXPECT_EQ(NewLines(), Lines{"wake: the automatic change is not due yet"});

  Minutes(40);  // asleep
  EXPECT_TRUE(AutoChangeDueAfterWake());
  EXPECT_FALSE(AutoChangeDueAfterWake());  // Windows' second resume message
  RunDelayedAutoChange();
  RunDelayedAutoChange();  // a forged timer message
  EXPECT_EQ(NewLines(), (Lines{"wake: the automatic change is due",
                               "change (timer) metered, stored 1.jpg: ok"}));
  EXPECT_EQ(ListNames().front(), "1.jpg");

  g_fullScreen = true;
  Ticks(12);
  g_fullScreen = false;
  g_batterySaver = true;
  Ticks(1);
  g_batterySaver = false;
  Ticks(1);
  EXPECT_EQ(NewLines(),
            (Lines{"automatic change postponed: a full-screen program or a presentation runs",
                   "automatic change postponed: battery saver is on",
                   "change (timer) metered, stored 2.jpg: ok"}));
}

TEST_F(AutoChangeThroughADay, AStoreOfOneShowsNothingOnAMeteredConnection) {
  StoreOldestFirst({"1.jpg"});
  Ticks(10);
  EXPECT_EQ(NewLines(), Lines{"metered connection: no stored wallpaper to show"});
}

TEST_F(AutoChangeThroughADay, APictureThatCannotBeReadIsPassedOverAndAGoneOneLeavesTheList) {
  StoreOldestFirst({"gone.jpg", "damaged.jpg", "3.jpg", "4.jpg"});
  ASSERT_TRUE(::DeleteFileA(DataPath("gone.jpg").c_str()));
  ASSERT_TRUE(WriteFileBytes(DataPath("damaged.jpg"), "not a picture"));
  Ticks(10);
  EXPECT_EQ(NewLines(), (Lines{"gone.jpg is gone from the store: it leaves the list",
                               "change (timer) metered, stored damaged.jpg: failed, not an image",
                               "change (timer) metered, stored 3.jpg: ok"}));
  EXPECT_EQ(ListNames(), (Lines{"3.jpg", "4.jpg", "damaged.jpg"}));
  EXPECT_EQ(::GetFileAttributesA(ThumbnailPath("gone.jpg").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
