// The page commands' actions in the program itself: the user's web browser, the wallpaper
// engine, the registry, the service, message boxes and config.dat.
#pragma once

#include <windows.h>

#include <string>

#include "page/page.h"

class WallpaperList;

class ProgramPageActions final : public PageActions {
 public:
  // wallpapers is not owned.
  explicit ProgramPageActions(WallpaperList* wallpapers) : wallpapers_(wallpapers) {}

  // The settings window, once it exists: it owns the login's message box.
  void SetOwner(HWND owner) { owner_ = owner; }

  void OpenServicePage(const std::string& address) override;
  void ChangeWallpaper(WallpaperPool pool, bool premium) override;
  void RegisterUrlScheme() override;
  std::string StoredFileName(const std::string& name) override;
  void SetStoredWallpaper(const std::string& fileName) override;
  std::string FetchLoginAnswer(const std::string& url) override;
  void ShowLoginMessage(const std::string& text) override;
  void SaveSettings(const SettingsStore& settings) override;
  std::string RecentTableHtml() override;

 private:
  HWND owner_ = nullptr;
  WallpaperList* wallpapers_;
};
