#include "settings/settings.h"

#include "base/app_paths_win.h"
#include "base/log.h"
#include "base/whole_file_win.h"

namespace {

SettingsStore g_settings;

}  // namespace

bool SettingsStore::Load(const std::string& path) {
  std::string text;
  if (!ReadWholeFile(path, text)) return false;
  ReadText(text);
  return true;
}

// The settings hold the user's login: a crash or a full disk during a save must not cost them.
bool SettingsStore::Save(const std::string& path) const { return WriteWholeFile(path, ToText()); }

SettingsStore& AppSettings() { return g_settings; }

void LoadAppSettings() {
  EnsureAppFolder();
  g_settings.Load(ConfigFilePath());
}

bool SaveAppSettings(const SettingsStore& store) {
  EnsureAppFolder();
  if (store.Save(ConfigFilePath())) return true;
  WriteLog("config.dat could not be saved");
  return false;
}
