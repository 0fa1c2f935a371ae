// The settings page's form and login display, kept in step with the settings.
#include <string>

#include "base/text.h"
#include "page/page.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"
#include "settings/settings_snapshots.h"

namespace {

constexpr wchar_t kIntervalField[] = L"change_interval_id";
constexpr wchar_t kAutoChangeBox[] = L"auto_change_id";
constexpr wchar_t kPoolList[] = L"category_id";
constexpr wchar_t kSeparateScreensBox[] = L"separate_screens_id";

struct LoginBlock {
  const wchar_t* id;
  bool shownWhenLoggedIn;
};

// In page order: the favourites and added groups are covered by their "after logging in"
// pictures (fav_p, add_p) while logged out.
// QUIRK: "logedin_div" is the id in opcje.html, whose style and script use it as spelt.
constexpr LoginBlock kLoginBlocks[] = {
    {L"user_div", false}, {L"login_div", false}, {L"logout_div", true}, {L"logedin_div", true},
    {L"fav_n", true},     {L"fav_l", true},      {L"fav_z", true},      {L"fav_p", false},
    {L"add_n", true},     {L"add_l", true},      {L"add_z", true},      {L"add_p", false},
};

// The user's own pools need an account, so the list is usable only when logged in.
void EnablePoolList(PageDocument& page, bool loggedIn, bool autoChange) {
  page.EnableSelect(kPoolList, loggedIn && autoChange);
}

}  // namespace

void ShowRecentTable(PageDocument& page, const std::string& tableHtml) {
  page.SetElementHtml(L"table_body", tableHtml);
}

void ShowLoginState(PageDocument& page, bool loggedIn, const std::string& userName) {
  for (const LoginBlock& block : kLoginBlocks) {
    page.ShowElement(block.id, block.shownWhenLoggedIn == loggedIn);
  }
  // The name shows as the text it is, whatever it holds: "<b>" or a script stays text.
  page.SetElementHtml(L"logedin_div",
                      "Zalogowano jako<b><a href='#user'> " + EscapeHtml(userName) + "</a></b>");
}

void ShowChangedLoginState(PageDocument& page, bool loggedIn, const std::string& userName) {
  ShowLoginState(page, loggedIn, userName);
  bool autoChange = false;
  if (page.GetCheckbox(kAutoChangeBox, autoChange)) EnablePoolList(page, loggedIn, autoChange);
}

void FillOptionsPage(PageDocument& page, const SettingsStore& settings, bool onOptionsPage) {
  if (!onOptionsPage) return;
  const OptionsFormSettings form = ReadOptionsFormSettings(settings);
  page.SetInputValue(kIntervalField, Utf8ToWide(form.interval));
  page.SetCheckbox(kAutoChangeBox, form.autoChange);
  EnablePoolList(page, form.loggedIn, form.autoChange);
  page.EnableInput(kIntervalField, form.autoChange);
  page.SetSelectIndex(kPoolList, form.pool);
  page.SetCheckbox(kSeparateScreensBox, form.separateScreens);
  ShowLoginState(page, form.loggedIn, form.user);
}

void SaveOptionsForm(PageContext& context) {
  SettingsStore& settings = context.settings;
  if (!context.onOptionsPage) return;
  std::wstring interval;
  // The text is kept as typed: the timer reads it leniently.
  if (context.page.GetInputValue(kIntervalField, interval)) {
    settings.Set(kChangeIntervalKey, WideToUtf8(interval));
  }
  bool autoChange = false;
  if (context.page.GetCheckbox(kAutoChangeBox, autoChange)) {
    settings.SetFlag(kAutoChangeKey, autoChange);
  }
  int pool = 0;
  if (context.page.GetSelectIndex(kPoolList, pool)) settings.SetInt(kCategoryKey, pool);
  bool separateScreens = false;
  if (context.page.GetCheckbox(kSeparateScreensBox, separateScreens)) {
    settings.SetFlag(kSeparateScreensKey, separateScreens);
  }
  context.actions.SaveSettings(settings);
}
