// What each reader takes from the settings in one go, every value with the default that a missing
// key has. Read afresh each time: the page and the service change the store while the program runs.
#pragma once

#include <string>

class SettingsStore;

// The settings page's form and login display.
struct OptionsFormSettings {
  std::string interval;  // "CHANGE_INTERVAL" as stored: the form shows it as it was typed
  bool autoChange = false;
  bool loggedIn = false;
  int pool = 0;  // "CATEGORY": the pool list's index
  bool separateScreens = false;
  std::string user;
};
OptionsFormSettings ReadOptionsFormSettings(const SettingsStore& settings);

// The account and pool that a selection request carries.
struct SelectionSettings {
  std::string user;
  std::string authorization;  // only when "SAVE" allows it to go with the requests
  int category = -1;          // no stored category: all wallpapers
};
SelectionSettings ReadSelectionSettings(const SettingsStore& settings);

// What the service links of the tray menu and the settings page are about: the wallpaper the
// service delivered last, and the account's user name.
struct ServiceLinkSettings {
  int currentId = 0;
  std::string user;
};
ServiceLinkSettings ReadServiceLinkSettings(const SettingsStore& settings);
