#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page/fake_page_document.h"
#include "page/page.h"

namespace {

// The blocks in page order, four to a line.
// clang-format off
const std::vector<std::wstring> kLoggedInVisibility = {
    L"Hide user_div", L"Hide login_div", L"Show logout_div", L"Show logedin_div",
    L"Show fav_n",    L"Show fav_l",     L"Show fav_z",      L"Hide fav_p",
    L"Show add_n",    L"Show add_l",     L"Show add_z",      L"Hide add_p",
    L"SetElementHtml logedin_div"};
// clang-format on

std::vector<std::wstring> Opposite(std::vector<std::wstring> log) {
  for (std::wstring& call : log) {
    if (call.compare(0, 4, L"Show") == 0) {
      call.replace(0, 4, L"Hide");
    } else if (call.compare(0, 4, L"Hide") == 0) {
      call.replace(0, 4, L"Show");
    }
  }
  return log;
}

TEST(LoginStateView, LoggedInShowsTheUsersGroupsAndTheLineWithTheName) {
  FakePageDocument page = FakePageDocument::OptionsPage();
  ShowLoginState(page, true, "jan");
  EXPECT_EQ(page.Log(), kLoggedInVisibility);
  EXPECT_EQ(page.At(L"logedin_div").html, "Zalogowano jako<b><a href='#user'> jan</a></b>");
  EXPECT_EQ(page.At(L"fav_p").className, L"hide");
  EXPECT_EQ(page.At(L"fav_n").className, L"show");
}

TEST(LoginStateView, LoggedOutShowsTheLoginFieldsAndStillWritesTheLine) {
  FakePageDocument page = FakePageDocument::OptionsPage();
  ShowLoginState(page, false, "");
  EXPECT_EQ(page.Log(), Opposite(kLoggedInVisibility));
  EXPECT_EQ(page.At(L"logedin_div").html, "Zalogowano jako<b><a href='#user'> </a></b>");
  EXPECT_EQ(page.At(L"user_div").className, L"show");
  EXPECT_EQ(page.At(L"add_p").className, L"show");
}

TEST(LoginStateView, TheNameShowsAsTextWhateverItHolds) {
  FakePageDocument page = FakePageDocument::OptionsPage();
  ShowLoginState(page, true, "<b>\xC5\xBC</b>&<script>'\"");
  EXPECT_EQ(page.At(L"logedin_div").html,
            "Zalogowano jako<b><a href='#user'> &lt;b&gt;\xC5\xBC&lt;/b&gt;&amp;&lt;script&gt;&#39;"
            "&quot;</a></b>");
}

}  // namespace
