#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "net/service_address.h"
#include "page/fake_page_actions.h"
#include "page/fake_page_document.h"
#include "page/page.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"

namespace {

constexpr wchar_t kFolder[] = L"res://C:\\Program Files\\Kolorowisko\\kolorowisko.exe/";
const std::wstring kPage = std::wstring(kFolder) + L"opcje.html";

class PageEvents : public PageSessionTest {
 protected:
  PageEvents() {
    settings_.Set(kUserKey, "jan");
    settings_.Set(kCurrentIdKey, "4711");
  }
  std::vector<std::string> Navigate(const std::wstring& url) {
    actions_.done.clear();
    OnBeforeNavigate(context_, url);
    return actions_.done;
  }
  std::vector<std::string> Anchor(const std::string& anchor) {
    return Navigate(kPage + std::wstring(anchor.begin(), anchor.end()));
  }
  static std::string Open(const std::string& path) { return "open " + ServiceUrl(path); }
};

using Actions = std::vector<std::string>;

TEST_F(PageEvents, EachAnchorRunsItsCommandAndLookalikesRunNone) {
  const struct {
    const char* anchor;
    Actions actions;
  } cases[] = {
      {"#add_protocol", {"register"}},
      {"#get_code", {Open("/menu_program.html")}},
      {"#kolorowisko", {Open("/?ref=program")}},
      {"#zobacz_ulubione", {Open("/ulubione-tapety-jan")}},
      {"#zobacz_dodane", {Open("/tapety-jan")}},
      {"#zobacz_kategorie", {Open("/menu_ulubione_kategorie.html")}},
      {"#zobacz_super", {Open("/")}},
      {"#losuj_ulubione", {"change 2"}},
      {"#losuj_dodane", {"change 4"}},
      {"#losuj_kategorie", {"change 3"}},
      {"#losuj_super", {"change 0 premium"}},
      {"#losuj_all", {"change 1"}},
      {"#zobacz", {Open("/zmiana.html?t=4711")}},
      {"#skomentuj", {Open("/zmiana.html?t=4711")}},
      {"#ocen", {Open("/zmiana.html?t=4711")}},
      {"#add_ulubione", {Open("/zmiana.html?t=4711")}},
      {"#user", {Open("/user_jan")}},
      {"#setwp?123.jpg", {"set 123.jpg"}},
      // Neither the data folder itself nor a file outside it reaches the conversion.
      {"#setwp?", {}},
      {"#setwp?..\\config.dat", {}},
      {"#setwp?C:\\Windows\\win.ini", {}},
      // The recent table escapes names; an escaped path is refused like a plain one.
      {"#setwp?%C5%BC%C3%B3%C5%82w%20%231%25.jpg", {"set \xC5\xBC\xC3\xB3\xC5\x82w #1%.jpg"}},
      {"#setwp?100%.jpg", {"set 100%.jpg"}},
      {"#setwp?..%5Cconfig.dat", {}},
      {"#save2", {}},
      {"#SAVE", {}},
      {"#save?x", {}},
      {"#zaloguj2", {}},
      {"#", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.anchor);
    EXPECT_EQ(Anchor(c.anchor), c.actions);
    EXPECT_THAT(actions_.saved, testing::IsEmpty());
  }
  EXPECT_THAT(page_.Log(), testing::IsEmpty());
  EXPECT_TRUE(onOptionsPage_);
}

TEST_F(PageEvents, CommandsThatNeedAUserOrAWallpaperNumberWaitForThem) {
  settings_.Set(kUserKey, "");
  settings_.Set(kCurrentIdKey, "-1");
  EXPECT_EQ(Anchor("#user"), Actions{});
  EXPECT_EQ(Anchor("#zobacz"), Actions{});
  EXPECT_EQ(Anchor("#zobacz_ulubione"), Actions{Open("/ulubione-tapety-")});
}

TEST_F(PageEvents, AccountPagesCarryTheUserNameWholeAndInAscii) {
  settings_.Set(kUserKey, "\xC5\x82ucja #&%+x");
  const std::string escaped = "%C5%82ucja%20%23%26%25%2Bx";
  const struct {
    const char* anchor;
    std::string path;
  } cases[] = {{"#user", "/user_" + escaped},
               {"#zobacz_ulubione", "/ulubione-tapety-" + escaped},
               {"#zobacz_dodane", "/tapety-" + escaped}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.anchor);
    EXPECT_EQ(Anchor(c.anchor), Actions{Open(c.path)});
  }
}

TEST_F(PageEvents, SaveReadsTheFormIntoTheSettingsAndSavesThem) {
  page_.At(L"change_interval_id").value = L"25";
  page_.At(L"auto_change_id").checked = true;
  page_.At(L"category_id").index = 3;
  Anchor("#save");
  ASSERT_EQ(actions_.saved.size(), 1u);
  EXPECT_NE(actions_.saved[0].find("AUTO_CHANGE=YES\r\nAUTO_START=YES\r\nCATEGORY=3\r\n"
                                   "CHANGE_INTERVAL=25\r\n"),
            std::string::npos)
      << actions_.saved[0];
}

TEST_F(PageEvents, TheFirstLoadRunsNothingAndItsCompletionFillsTheForm) {
  settings_.Set(kChangeIntervalKey, "15");
  EXPECT_EQ(Navigate(kPage), Actions{});
  EXPECT_THAT(page_.Log(), testing::IsEmpty());
  OnDocumentComplete(context_);
  EXPECT_EQ(page_.At(L"change_interval_id").value, L"15");
}

TEST_F(PageEvents, TheRecentPageGetsItsTableAndGoingBackRefillsTheForm) {
  // Leaving the settings page keeps what was typed.
  page_.At(L"change_interval_id").value = L"30";
  Navigate(kFolder + std::wstring(L"ostatnie.html#ostatnie"));
  EXPECT_FALSE(onOptionsPage_);
  EXPECT_EQ(Setting(kChangeIntervalKey), "30");
  ASSERT_EQ(actions_.saved.size(), 1u);
  OnDocumentComplete(context_);
  page_.Add(L"table_body", FakePageDocument::Kind::kBlock);
  OnDocumentComplete(context_);
  EXPECT_EQ(page_.At(L"table_body").html, "<table>recent</table>");
  // Nothing of the settings page is read or saved while the recent page is shown.
  Anchor("#save");
  EXPECT_EQ(actions_.saved.size(), 1u);

  settings_.Set(kChangeIntervalKey, "7");
  Navigate(kFolder + std::wstring(L"opcje.html#wroc"));
  EXPECT_TRUE(onOptionsPage_);
  OnDocumentComplete(context_);
  EXPECT_EQ(page_.At(L"change_interval_id").value, L"7");
}

TEST_F(PageEvents, OnlyTheProgramsOwnPagesDriveItAndWebAddressesOpenInTheBrowser) {
  const struct {
    std::wstring url;
    bool goesOn;
    Actions actions;
  } cases[] = {
      {kPage, true, {}},
      // Written as the browser may write the address it was given.
      {L"RES://c:/program%20files/kolorowisko/KOLOROWISKO.EXE/opcje.html#zobacz_super",
       true,
       {Open("/")}},
      {L"http://example.com/strona.html#wyloguj",
       false,
       {"open http://example.com/strona.html#wyloguj"}},
      {L"HTTPS://example.com/#losuj_super", false, {"open HTTPS://example.com/#losuj_super"}},
      {L"file:///C:/Users/jan/opcje.html#save", false, {}},
      {L"res://C:\\inny.exe/opcje.html#zaloguj", false, {}},
      {kFolder + std::wstring(L"obca.html#losuj_all"), false, {}},
      {kFolder + std::wstring(L"opcje.html.html#save"), false, {}},
      {L"about:blank#ostatnie", false, {}},
      {L"javascript:location='#wyloguj'", false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.url));
    actions_.done.clear();
    EXPECT_EQ(OnBeforeNavigate(context_, c.url), c.goesOn);
    EXPECT_EQ(actions_.done, c.actions);
  }
  EXPECT_TRUE(actions_.saved.empty());
  EXPECT_TRUE(onOptionsPage_);
  EXPECT_EQ(Setting(kUserKey), "jan");
}

TEST(NavigationAnchor, IsTheTextFromTheLastHashOfTheFirst1023Bytes) {
  EXPECT_EQ(NavigationAnchor(L"res://a/ostatnie.html#x#ostatnie"), "#ostatnie");
  EXPECT_EQ(NavigationAnchor(L"about:blank"), "about:blank");
  EXPECT_EQ(NavigationAnchor(L"res://\u017C\u00F3\u0142w/#save"), "#save");
  EXPECT_EQ(NavigationAnchor(L"res://a/#setwp?\u00F3\u0142.jpg"), "#setwp?\xC3\xB3\xC5\x82.jpg");
  const std::wstring padding(1023 - 5, L'a');
  EXPECT_EQ(NavigationAnchor(padding + L"#save"), "#save");
  EXPECT_EQ(NavigationAnchor(padding + L"x#save"), "#sav");
  // A two-byte letter across the limit is left out whole.
  EXPECT_EQ(NavigationAnchor(padding + L"#sav\u0142"), "#sav");
}

}  // namespace
