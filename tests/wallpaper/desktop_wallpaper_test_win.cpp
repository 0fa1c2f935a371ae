#include <gtest/gtest.h>

#include <windows.h>

#include "base/app_paths_win.h"
#include "base/path.h"
#include "base/registry_win.h"
#include "base/scoped_win.h"
#include "support/file_bytes.h"
#include "support/gdiplus_test.h"
#include "support/temp_folder.h"
#include "support/test_picture.h"
#include "support/user_state_win.h"
#include "wallpaper/desktop_wallpaper.h"
#include "wallpaper/wallpaper.h"

namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr int kInset = 6;
constexpr int kTolerance = 40;

ScopedRegKey OpenDesktopKey() {
  ScopedRegKey key;
  ::RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_READ | KEY_WRITE, key.Receive());
  return key;
}

// The value as REG_SZ data with its NUL; "<missing>" or "<type N>" otherwise.
std::string DesktopValue(const char* name) {
  ScopedRegKey key = OpenDesktopKey();
  char data[64] = {};
  DWORD size = sizeof data - 1;
  DWORD type = 0;
  if (::RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
      ERROR_SUCCESS) {
    return "<missing>";
  }
  if (type != REG_SZ) return "<type " + std::to_string(type) + ">";
  return std::string(data, size);
}

std::string SystemWallpaper() {
  char path[MAX_PATH] = {};
  ::SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
  return path;
}

// The version the program must have read, asked for the same way.
const char* ExpectedWallpaperStyle() {
  using RtlGetVersionFunction = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
  auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
      ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion"));
  RTL_OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof info;
  rtlGetVersion(&info);
  return DesktopWallpaperStyle(info.dwMajorVersion, info.dwMinorVersion);
}

class DesktopWallpaper : public GdiplusTest {
 protected:
  // A picture whose centre on this screen shows the quadrants.
  std::string WritePicture(const char* name, const Quadrants& quadrants = kQuadrants,
                           const wchar_t* mimeType = L"image/jpeg") {
    const std::string path = folder_.File(name);
    EXPECT_TRUE(WriteQuadrantPicture(path, 1000, 1000, {0, 219, 1000, 562}, mimeType, quadrants));
    return path;
  }

  UserStateGuard userState_;
  TempFolder folder_;
  const std::string wall_ = JoinPath(EnsureDataFolder(), "wall.bmp");
};

TEST_F(DesktopWallpaper, ApplyWritesTheBitmapTheStyleValuesAndTheSystemSetting) {
  ::DeleteFileA(wall_.c_str());
  ASSERT_EQ(ApplyDesktopImage(WritePicture("picture.jpg")), ChangeFailure::None);

  const Picture wall = ReadPicture(wall_);
  EXPECT_EQ(wall.width, ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(wall.height, ::GetSystemMetrics(SM_CYSCREEN));
  EXPECT_TRUE(ShowsQuadrants(wall, kInset, kTolerance));
  EXPECT_EQ(DesktopValue("TileWallpaper"), std::string("0", 2));
  EXPECT_EQ(DesktopValue("WallpaperStyle"), std::string(ExpectedWallpaperStyle(), 2));
  EXPECT_STRCASEEQ(SystemWallpaper().c_str(), wall_.c_str());
}

TEST_F(DesktopWallpaper, SecondApplyLeavesOnlyTheSecondPicture) {
  ASSERT_EQ(ApplyDesktopImage(WritePicture("first.jpg")), ChangeFailure::None);
  ASSERT_EQ(ApplyDesktopImage(WritePicture("second.jpg", kOtherQuadrants)), ChangeFailure::None);
  EXPECT_TRUE(ShowsQuadrants(ReadPicture(wall_), kInset, kTolerance, kOtherQuadrants));
}

TEST_F(DesktopWallpaper, ImageThatCannotBeReadChangesNothing) {
  ASSERT_EQ(ApplyDesktopImage(WritePicture("earlier.jpg")), ChangeFailure::None);
  const std::string earlierWall = ReadFileBytes(wall_);
  // Values that an apply would overwrite, and a wallpaper setting that is not wall.bmp.
  SetStringValue(OpenDesktopKey().Get(), "TileWallpaper", "1");
  SetStringValue(OpenDesktopKey().Get(), "WallpaperStyle", "2");
  std::string other = WritePicture("other.bmp", kOtherQuadrants, L"image/bmp");
  ASSERT_TRUE(::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, &other[0], SPIF_UPDATEINIFILE));

  const std::string page = folder_.File("page.jpg");
  ASSERT_TRUE(WriteFileBytes(page, "<html><body>Not Found</body></html>"));
  EXPECT_EQ(ApplyDesktopImage(page), ChangeFailure::NotImage);
  EXPECT_EQ(ApplyDesktopImage(folder_.File("missing.jpg")), ChangeFailure::NotImage);

  EXPECT_EQ(ReadFileBytes(wall_), earlierWall);
  EXPECT_EQ(DesktopValue("TileWallpaper"), std::string("1", 2));
  EXPECT_EQ(DesktopValue("WallpaperStyle"), std::string("2", 2));
  EXPECT_STRCASEEQ(SystemWallpaper().c_str(), other.c_str());
}

}  // namespace
