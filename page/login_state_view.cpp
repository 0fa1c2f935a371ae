#include "page/login_state_view.h"

#include "page/page_document.h"

namespace {

struct LoginBlock {
  const wchar_t* id;
  bool shownWhenLoggedIn;
};

// In page order: the favourites and added groups are covered by their "after logging in"
// pictures (fav_p, add_p) while logged out.
constexpr LoginBlock kLoginBlocks[] = {
    {L"user_div", false}, {L"login_div", false}, {L"logout_div", true}, {L"logedin_div", true},
    {L"fav_n", true},     {L"fav_l", true},      {L"fav_z", true},      {L"fav_p", false},
    {L"add_n", true},     {L"add_l", true},      {L"add_z", true},      {L"add_p", false},
};

}  // namespace

void ShowLoginState(PageDocument& page, bool loggedIn, const std::string& userName) {
  for (const LoginBlock& block : kLoginBlocks) {
    page.ShowElement(block.id, block.shownWhenLoggedIn == loggedIn);
  }
  page.SetElementHtml(L"logedin_div",
                      "Zalogowano jako<b><a href='#user'> " + userName + "</a></b>");
}
