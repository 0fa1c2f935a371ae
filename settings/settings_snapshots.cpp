#include "settings/settings_snapshots.h"

#include "settings/settings.h"
#include "settings/settings_keys.h"

OptionsFormSettings ReadOptionsFormSettings(const SettingsStore& settings) {
  OptionsFormSettings form;
  settings.GetString(kChangeIntervalKey, form.interval);
  settings.GetFlag(kAutoChangeKey, form.autoChange);
  settings.GetFlag(kLoggedInKey, form.loggedIn);
  settings.GetInt(kCategoryKey, form.pool);
  settings.GetFlag(kSeparateScreensKey, form.separateScreens);
  settings.GetString(kUserKey, form.user);
  return form;
}

SelectionSettings ReadSelectionSettings(const SettingsStore& settings) {
  SelectionSettings selection;
  settings.GetString(kUserKey, selection.user);
  bool sendCode = false;
  settings.GetFlag(kSaveKey, sendCode);
  if (sendCode) settings.GetString(kAuthorizationKey, selection.authorization);
  settings.GetInt(kCategoryKey, selection.category);
  return selection;
}

ServiceLinkSettings ReadServiceLinkSettings(const SettingsStore& settings) {
  ServiceLinkSettings links;
  settings.GetInt(kCurrentIdKey, links.currentId);
  settings.GetString(kUserKey, links.user);
  return links;
}
