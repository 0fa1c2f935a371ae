// A double of the page commands' actions: it records each one as a line and answers the login
// with a body the test sets; and a test of page events on the settings page as loaded.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page/fake_page_document.h"
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
  // Native files have the page's UTF-8 names.
  std::string StoredFileName(const std::string& name) override { return name; }
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

// The settings page with its settings, login state and recorded actions, as the settings window
// has them.
class PageSessionTest : public ::testing::Test {
 protected:
  std::string Setting(const char* key) {
    std::string value;
    settings_.GetString(key, value);
    return value;
  }

  FakePageDocument page_ = FakePageDocument::OptionsPage();
  SettingsStore settings_;
  PageState state_;
  bool onOptionsPage_ = true;
  FakePageActions actions_;
  PageContext context_{page_,    settings_,
                       state_,   onOptionsPage_,
                       actions_, L"res://C:\\Program Files\\Kolorowisko\\kolorowisko.exe/"};
};
