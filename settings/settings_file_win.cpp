#include "settings/settings.h"

#include "base/app_paths_win.h"
#include "base/log.h"
#include "base/whole_file_win.h"

namespace {

SettingsStore g_settings;
// The user's login, automatic change and pool are in the file, not in the defaults.
bool g_keepUnreadFile = false;

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

bool LoadAppSettings() {
  EnsureAppFolder();
  const std::string path = ConfigFilePath();
  g_keepUnreadFile = false;
  if (g_settings.Load(path)) return true;
  const DWORD error = ::GetLastError();
  g_keepUnreadFile = ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (g_keepUnreadFile) {
    ::SetLastError(error);
    WriteFailedCallLog(
        "config.dat could not be read: this run uses the defaults and leaves the file as it is");
  }
  return !g_keepUnreadFile;
}

bool SaveAppSettings(const SettingsStore& store) {
  if (g_keepUnreadFile) return false;
  EnsureAppFolder();
  if (store.Save(ConfigFilePath())) return true;
  WriteFailedCallLog("config.dat could not be saved");
  return false;
}
