// A thumbnail of the recent page, followed: from the list's ANSI name through the table's link
// and the browser's wide address back to the stored file.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "base/app_paths_win.h"
#include "base/path.h"
#include "base/text.h"
#include "base/text_win.h"
#include "page/fake_page_document.h"
#include "page/page.h"
#include "page/page_actions_win.h"
#include "page/settings_page_session.h"
#include "recent/recent.h"
#include "settings/settings.h"
#include "wallpaper/wallpaper.h"
#include "support/gdiplus_test.h"
#include "support/test_picture.h"
#include "support/user_state_win.h"

namespace {

// ż, ó and ł in code page 1250, with the bytes that end or escape an anchor.
constexpr char kPolishName[] = "\xBF\xF3\xB3w #1%+.jpg";
// 120 bytes in code page 1250, more than that in UTF-8: still a stored picture's name.
const std::string kLongPolishName = std::string(116, '\xB3') + ".jpg";
constexpr char kMissingName[] = "brak.jpg";
constexpr char kOtherName[] = "inna.jpg";

class StoredWallpaperLink : public GdiplusTest {
 protected:
  void TearDown() override {
    for (const std::string& name : {std::string(kPolishName), kLongPolishName,
                                    std::string(kMissingName), std::string(kOtherName)}) {
      ::DeleteFileA(JoinPath(EnsureDataFolder(), name).c_str());
      ::DeleteFileA(JoinPath(EnsureThumbnailsFolder(), name).c_str());
    }
  }

  // The href of the table's first link to a name other than kOtherName.
  static std::string LinkOf(const std::string& html) {
    const std::string start = "<a href='";
    for (std::size_t at = html.find(start); at != std::string::npos;
         at = html.find(start, at + 1)) {
      const std::size_t from = at + start.size();
      const std::string href = html.substr(from, html.find('\'', from) - from);
      if (href != std::string("#setwp?") + kOtherName) return href;
    }
    return "";
  }

  UserStateGuard userState_;
};

TEST_F(StoredWallpaperLink, AThumbnailSetsItsPictureAgainAndOnlyAnAppliedOneMovesFirst) {
  ASSERT_EQ(::GetACP(), 1250u) << "the test session runs Wine with the Polish code page";
  const struct {
    std::string name;
    bool fileKept;  // the data file is still there when its thumbnail is clicked
  } cases[] = {{kPolishName, true}, {kLongPolishName, true}, {kMissingName, false}};
  const std::string data = EnsureDataFolder();
  const CropRectangle whole = {0, 0, 320, 180};
  for (const auto& c : cases) {
    SCOPED_TRACE(AnsiToUtf8(c.name));
    ASSERT_TRUE(WriteQuadrantPicture(JoinPath(data, c.name), 320, 180, whole, L"image/jpeg"));
    ASSERT_TRUE(WriteQuadrantPicture(JoinPath(data, kOtherName), 320, 180, whole, L"image/jpeg",
                                     kOtherQuadrants));
    WallpaperList list;
    list.SetFolders(data, EnsureThumbnailsFolder());
    list.Add(c.name);
    list.Add(kOtherName);
    // Written in the same moment: the other one is made the newest by its time.
    RefreshStoredWallpaper(list, kOtherName);
    ASSERT_EQ(list.Entries().front().name, kOtherName);
    ::DeleteFileA(JoinPath(data, "wall.bmp").c_str());
    if (!c.fileKept) ::DeleteFileA(JoinPath(data, c.name).c_str());

    // The browser hands the link over as wide text, as the page's UTF-8 became.
    const std::string link = LinkOf(list.RecentTableHtml());
    ASSERT_EQ(link.find('#', 1), std::string::npos) << link;
    FakePageDocument page;
    SettingsStore settings;
    ProgramPageActions actions(&list);
    SettingsPageSession session(page, settings, actions, L"res://C:\\kolorowisko.exe/");
    session.BeforeNavigate(Utf8ToWide("res://C:\\kolorowisko.exe/ostatnie.html" + link));

    EXPECT_EQ(list.Entries().front().name, c.fileKept ? c.name : kOtherName);
    const Picture wall = ReadPicture(JoinPath(data, "wall.bmp"));
    if (c.fileKept) {
      EXPECT_TRUE(ShowsQuadrants(wall, 60, 40));
    } else {
      EXPECT_EQ(wall.width, 0) << "no wall.bmp";
    }
  }
}

}  // namespace
