// A double of the page commands' actions: it records each one as a line and answers the login
// with a body the test sets.
#pragma once

#include <string>
#include <vector>

#include "page/page.h"
#include "settings/settings.h"

class FakePageActions : public PageActions {
 public:
  void OpenServicePage(const std::string& address) override { done.push_back("open " + address); }
  void ChangeWallpaper(WallpaperPool pool, bool premium) override {
    done.push_back("change " + std::to_string(static_cast<unsigned>(pool)) +
                   (premium ? " premium" : ""));
  }
  void RegisterUrlScheme() override { done.push_back("register"); }
  void SetStoredWallpaper(const std::string& name) override { done.push_back("set " + name); }
  std::string FetchLoginAnswer(const std::string& url) override {
    done.push_back("fetch " + url);
    return loginAnswer;
  }
  void ShowLoginMessage(const std::string& text) override { done.push_back("box " + text); }
  void SaveSettings(const SettingsStore& settings) override { saved.push_back(settings.ToText()); }
  std::string RecentTableHtml() override { return "<table>recent</table>"; }

  std::vector<std::string> done;
  std::vector<std::string> saved;  // the store's text at each save
  std::string loginAnswer;
};
