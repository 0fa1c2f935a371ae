#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "base/user_interaction_win.h"
#include "net/service_address.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"
#include "support/seam_replacement.h"
#include "tray/tray_parts_win.h"

namespace {

std::vector<std::string> g_opened;

void RecordPage(const std::string& address) { g_opened.push_back(address); }

// Puts the recorder in place of the shell and the settings back as they were.
class TrayCommands : public testing::Test {
 protected:
  void SetUp() override {
    g_opened.clear();
    saved_ = AppSettings();
  }
  void TearDown() override { AppSettings() = saved_; }

  std::vector<std::string> Open(std::initializer_list<UINT> commands) {
    for (UINT command : commands) CarryOutTrayCommand(nullptr, command);
    return g_opened;
  }

 private:
  SeamReplacement<WebPageOpener> opener_{SetWebPageOpener, RecordPage};
  SettingsStore saved_;
};

TEST_F(TrayCommands, BrowseOpensTheStartPageOnTheReportHost) {
  EXPECT_EQ(Open({IDM_BROWSE}), std::vector<std::string>{ReportUrl("/")});
}

TEST_F(TrayCommands, FavouriteAndCommentOpenTheCurrentWallpapersPage) {
  const std::string page = ServiceUrl("/zmiana.html?t=-1");  // the default CURRENT_ID
  EXPECT_EQ(Open({IDM_ADD_FAVOURITE, IDM_COMMENT}), (std::vector<std::string>{page, page}));

  g_opened.clear();
  AppSettings().Set(kCurrentIdKey, "4711");
  EXPECT_EQ(Open({IDM_COMMENT}), std::vector<std::string>{ServiceUrl("/zmiana.html?t=4711")});
}

TEST_F(TrayCommands, MissingCurrentIdOpensThePageOfWallpaperZero) {
  AppSettings().Erase(kCurrentIdKey);
  const std::string page = ServiceUrl("/zmiana.html?t=0");
  EXPECT_EQ(Open({IDM_ADD_FAVOURITE, IDM_COMMENT}), (std::vector<std::string>{page, page}));
}

HBITMAP ItemBitmap(HMENU popup, UINT command) {
  MENUITEMINFOA item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_BITMAP;
  if (!::GetMenuItemInfoA(popup, command, FALSE, &item)) return nullptr;
  return item.hbmpItem;
}

TEST(TrayMenu, HoldsTheCommandsInOrderWithTheirBitmaps) {
  HMENU menu = BuildTrayMenu(::GetModuleHandleA(nullptr));
  ASSERT_NE(menu, nullptr);
  HMENU popup = ::GetSubMenu(menu, 0);
  ASSERT_NE(popup, nullptr);

  const std::vector<UINT> expected = {IDM_BROWSE,
                                      IDM_ADD_FAVOURITE,
                                      IDM_COMMENT,
                                      0,
                                      IDM_DRAW_FAVOURITES,
                                      IDM_DRAW_CATEGORIES,
                                      IDM_DRAW_ADDED,
                                      IDM_DRAW_ALL,
                                      IDM_DRAW_SUPER,
                                      0,
                                      IDM_OPTIONS,
                                      0,
                                      IDM_EXIT};
  std::vector<UINT> ids;
  for (int position = 0; position < ::GetMenuItemCount(popup); ++position) {
    const UINT id = ::GetMenuItemID(popup, position);
    ids.push_back(id == static_cast<UINT>(-1) ? 0 : id);
  }
  EXPECT_EQ(ids, expected);

  const HBITMAP comment = ItemBitmap(popup, IDM_BROWSE);
  const HBITMAP draw = ItemBitmap(popup, IDM_DRAW_FAVOURITES);
  const HBITMAP options = ItemBitmap(popup, IDM_OPTIONS);
  const HBITMAP exit = ItemBitmap(popup, IDM_EXIT);
  for (HBITMAP bitmap : {comment, draw, options, exit}) ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(ItemBitmap(popup, IDM_ADD_FAVOURITE), comment);
  EXPECT_EQ(ItemBitmap(popup, IDM_COMMENT), comment);
  for (UINT command : {IDM_DRAW_CATEGORIES, IDM_DRAW_ADDED, IDM_DRAW_ALL, IDM_DRAW_SUPER}) {
    EXPECT_EQ(ItemBitmap(popup, command), draw) << command;
  }
  EXPECT_NE(comment, draw);
  EXPECT_NE(options, exit);
}

}  // namespace
