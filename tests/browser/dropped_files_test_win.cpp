#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "base/app_paths_win.h"
#include "base/path.h"
#include "base/scoped_win.h"
#include "browser/browser.h"
#include "browser/drop_test_support_win.h"
#include "browser/html_window_win.h"
#include "recent/recent.h"
#include "settings/settings.h"
#include "support/file_bytes.h"
#include "support/gdiplus_test.h"
#include "support/message_box_recorder_win.h"
#include "support/temp_folder.h"
#include "support/test_picture.h"
#include "support/user_state_win.h"

namespace {

const std::string kJpeg("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11);
const std::string kPng("\x89PNG\r\n\x1A\n\x00\x00\x00\x0DIHDR", 16);
const std::string kBmp("BM\x36\x00\x00\x00", 6);

// Drops sent to the settings window as the shell sends them.
class DroppedFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenSettingsWindow();
    boxes_.ForgetWinesPageError();
    ASSERT_NE(CurrentHTMLWindow(), nullptr);
    window_ = CurrentHTMLWindow()->Window();
  }

  std::string File(const std::string& name, const std::string& bytes) {
    const std::string path = folder_.File(name);
    EXPECT_TRUE(WriteFileBytes(path, bytes));
    return path;
  }

  void Drop(const std::vector<std::string>& paths) {
    ::SendMessageA(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDropHandle(paths)), 0);
  }

  MessageBoxRecorder boxes_;
  AppliedImages applied_;
  TempFolder folder_;
  HWND window_ = nullptr;
};

TEST_F(DroppedFilesTest, ImagesAreKnownByTheirFirstBytesNotTheirNames) {
  const std::string jpegAsText = File("photo.txt", kJpeg + std::string(500, 'x'));
  const std::string textAsJpeg = File("notes.jpg", "just some notes, no picture");
  const std::string tiny = File("tiny.png", "\x89P");
  Drop({textAsJpeg, jpegAsText, tiny});
  EXPECT_EQ(applied_.Paths(), std::vector<std::string>{jpegAsText});
}

TEST_F(DroppedFilesTest, FoldersAndUnreadableFilesAreSkippedWithoutStoppingTheRest) {
  const std::string subfolder = folder_.File("folder.jpg");
  ASSERT_TRUE(::CreateDirectoryA(subfolder.c_str(), nullptr));
  const std::string locked = File("locked.png", kPng);
  // Root reads any file, so the file is made unreadable by holding it without sharing.
  ScopedFile lock(::CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(lock);
  const std::string first = File("first.bmp", kBmp);
  const std::string last = File("last.jpg", kJpeg);
  const std::string missing = folder_.File("gone.png");

  Drop({first, subfolder, locked, missing, last});
  EXPECT_EQ(applied_.Paths(), (std::vector<std::string>{first, last}));
}

TEST_F(DroppedFilesTest, EachImageOfOneDropIsAppliedInTurnLeavingSettingsAndListAlone) {
  const std::string settingsBefore = AppSettings().ToText();
  const size_t wallpapersBefore = AppWallpapers().Entries().size();
  const std::string png = File("a.png", kPng);
  const std::string bmp = File("b.bmp", kBmp);

  Drop({png, bmp});
  EXPECT_EQ(applied_.Paths(), (std::vector<std::string>{png, bmp}));  // the BMP stays
  EXPECT_EQ(AppSettings().ToText(), settingsBefore);
  EXPECT_EQ(AppWallpapers().Entries().size(), wallpapersBefore);
  EXPECT_TRUE(::IsWindow(window_));
  EXPECT_TRUE(boxes_.Boxes().empty()) << boxes_.Describe();
}

// The whole road without the stand-in: the last image of a drop ends up as the desktop's wall.bmp.
class DroppedImagesOnTheDesktop : public GdiplusTest {
 protected:
  std::string WriteImage(const char* name, const Quadrants& quadrants, const wchar_t* mimeType) {
    const std::string path = folder_.File(name);
    // Square pictures whose centre strip has the screen's shape.
    EXPECT_TRUE(WriteQuadrantPicture(path, 1000, 1000, {0, 219, 1000, 562}, mimeType, quadrants));
    return path;
  }

  UserStateGuard userState_;
  // The settings window's boxes (under Wine, the page's navigation error) must not block.
  MessageBoxRecorder boxes_;
  TempFolder folder_;
  const std::string wall_ = JoinPath(EnsureDataFolder(), "wall.bmp");
};

TEST_F(DroppedImagesOnTheDesktop, APngAndThenABmpLeaveTheBmp) {
  ASSERT_EQ(::GetSystemMetrics(SM_CXSCREEN), 1920);
  ASSERT_EQ(::GetSystemMetrics(SM_CYSCREEN), 1080);
  const std::string png = WriteImage("first.png", kQuadrants, L"image/png");
  const std::string bmp = WriteImage("second.bmp", kOtherQuadrants, L"image/bmp");
  ::DeleteFileA(wall_.c_str());
  OpenSettingsWindow();
  ASSERT_NE(CurrentHTMLWindow(), nullptr);
  const std::string settingsBefore = AppSettings().ToText();
  const size_t wallpapersBefore = AppWallpapers().Entries().size();

  ::SendMessageA(CurrentHTMLWindow()->Window(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDropHandle({png, bmp})), 0);
  EXPECT_TRUE(ShowsQuadrants(ReadPicture(wall_), 6, 40, kOtherQuadrants));
  char wallpaper[MAX_PATH] = {};
  ::SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, wallpaper, 0);
  EXPECT_STRCASEEQ(wallpaper, wall_.c_str());
  EXPECT_EQ(AppSettings().ToText(), settingsBefore);
  EXPECT_EQ(AppWallpapers().Entries().size(), wallpapersBefore);
}

}  // namespace
