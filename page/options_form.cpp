#include "page/options_form.h"

#include <string>

#include "app/utf8.h"
#include "page/login_state_view.h"
#include "page/page_document.h"
#include "settings/settings.h"

namespace {

constexpr wchar_t kIntervalField[] = L"change_interval_id";
constexpr wchar_t kAutoChangeBox[] = L"auto_change_id";
constexpr wchar_t kPoolList[] = L"category_id";

std::string StringSetting(const SettingsStore& settings, const char* key) {
  std::string value;
  settings.GetString(key, value);
  return value;
}

bool FlagSetting(const SettingsStore& settings, const char* key) {
  bool value = false;
  settings.GetFlag(key, value);
  return value;
}

}  // namespace

void FillOptionsPage(PageDocument& page, const SettingsStore* settings, bool onOptionsPage) {
  if (!onOptionsPage || !settings) return;
  page.SetInputValue(kIntervalField, Utf8ToWide(StringSetting(*settings, "CHANGE_INTERVAL")));
  const bool autoChange = FlagSetting(*settings, "AUTO_CHANGE");
  const bool loggedIn = FlagSetting(*settings, "LOGEDIN");
  page.SetCheckbox(kAutoChangeBox, autoChange);
  // The user's own pools need an account, so the list is usable only when logged in.
  page.EnableSelect(kPoolList, loggedIn && autoChange);
  page.EnableInput(kIntervalField, autoChange);
  int pool = 0;
  settings->GetInt("CATEGORY", pool);
  page.SetSelectIndex(kPoolList, pool);
  ShowLoginState(page, loggedIn, StringSetting(*settings, "USER"));
}

void SaveOptionsForm(PageDocument& page, SettingsStore* settings, bool onOptionsPage,
                     const std::function<void(const SettingsStore&)>& save) {
  if (!onOptionsPage || !settings) return;
  std::wstring interval;
  // The text is kept as typed: the timer reads it leniently.
  if (page.GetInputValue(kIntervalField, interval)) {
    settings->Set("CHANGE_INTERVAL", WideToUtf8(interval));
  }
  bool autoChange = false;
  if (page.GetCheckbox(kAutoChangeBox, autoChange)) settings->SetFlag("AUTO_CHANGE", autoChange);
  int pool = 0;
  if (page.GetSelectIndex(kPoolList, pool)) settings->SetInt("CATEGORY", pool);
  save(*settings);
}
