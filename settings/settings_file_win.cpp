#include "settings/settings.h"
#include "settings/settings_file_seam_win.h"

#include "app/scoped_win.h"

BOOL(WINAPI* g_settingsWriteFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED) = ::WriteFile;

namespace {

bool ReadWholeFile(const std::string& path, std::string& text) {
  ScopedFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
    text.append(buffer, got);
  }
  return true;
}

bool WriteAndFlush(const std::string& path, const std::string& text) {
  ScopedFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  if (!g_settingsWriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written,
                           nullptr) ||
      written != text.size()) {
    return false;
  }
  return ::FlushFileBuffers(file.Get()) != 0;
}

}  // namespace

std::string SettingsTemporaryPath(const std::string& path) { return path + ".tmp"; }

bool SettingsStore::Load(const std::string& path) {
  std::string text;
  if (!ReadWholeFile(path, text)) return false;
  ReadText(text);
  return true;
}

// The settings hold the user's login: a crash or a full disk during a save must not cost them.
// So the new text goes to a temporary file that replaces config.dat only once it is on disk.
bool SettingsStore::Save(const std::string& path) const {
  const std::string temporary = SettingsTemporaryPath(path);
  if (WriteAndFlush(temporary, ToText()) &&
      ::MoveFileExA(temporary.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  ::DeleteFileA(temporary.c_str());
  return false;
}
