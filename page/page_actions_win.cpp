#include "page/page_actions_win.h"

#include "base/app_paths_win.h"
#include "base/path.h"
#include "base/text.h"
#include "base/text_win.h"
#include "base/user_interaction_win.h"
#include "net/net.h"
#include "recent/recent.h"
#include "settings/settings.h"
#include "system/system.h"
#include "wallpaper/wallpaper.h"

void ProgramPageActions::OpenServicePage(const std::string& address) { OpenWebPage(address); }

void ProgramPageActions::ChangeWallpaper(WallpaperPool pool, bool premium) {
  ChangeWallpaperForUser(pool, premium, ChangeOrigin::Page);
}

void ProgramPageActions::RegisterUrlScheme() { ::RegisterUrlScheme(); }

// The files and the list use the ANSI code page; a name it cannot hold names no stored file.
std::string ProgramPageActions::StoredFileName(const std::string& name) {
  const std::string ansiName = WideToAnsi(Utf8ToWide(name));
  return AnsiToUtf8(ansiName) == name ? ansiName : std::string();
}

// Only a picture that reached the desktop moves to the front; the settings keep the wallpaper
// that the service delivered last.
void ProgramPageActions::SetStoredWallpaper(const std::string& fileName) {
  if (ChangeToFile(JoinPath(EnsureDataFolder(), fileName), ChangeOrigin::Page) && wallpapers_) {
    RefreshStoredWallpaper(*wallpapers_, fileName);
  }
}

std::string ProgramPageActions::FetchLoginAnswer(const std::string& url) {
  return FetchToString(url);
}

void ProgramPageActions::ShowLoginMessage(const std::string& text) {
  ShowMessageBox(owner_, Utf8ToWide(text).c_str(), L"Logowanie", MB_ICONERROR);
}

void ProgramPageActions::SaveSettings(const SettingsStore& settings) { SaveAppSettings(settings); }

std::string ProgramPageActions::RecentTableHtml() {
  return wallpapers_ ? wallpapers_->RecentTableHtml() : std::string();
}
