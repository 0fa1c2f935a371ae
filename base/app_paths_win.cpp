#include "base/app_paths_win.h"

#include <psapi.h>
#include <shlobj.h>

#include "base/path.h"
#include "base/seam.h"
#include "base/scoped_win.h"

namespace {

HINSTANCE g_instance = nullptr;
Seam<FolderPathLookup> g_folderPathLookup(::SHGetFolderPathA);

}  // namespace

std::string AppFolderPath() {
  char folder[MAX_PATH] = {};
  if (FAILED(g_folderPathLookup.Get()(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0,
                                      folder))) {
    return std::string();
  }
  return JoinPath(folder, "kolorowisko");
}

FolderPathLookup SetFolderPathLookup(FolderPathLookup replacement) {
  return g_folderPathLookup.Replace(replacement);
}

void EnsureFolder(const std::string& path) {
  if (path.empty()) return;
  if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    ::CreateDirectoryA(path.c_str(), nullptr);
  }
}

std::string EnsureAppFolder() {
  std::string folder = AppFolderPath();
  EnsureFolder(folder);
  return folder;
}

std::string EnsureDataFolder() {
  std::string folder = JoinPath(EnsureAppFolder(), "data");
  EnsureFolder(folder);
  return folder;
}

std::string EnsureThumbnailsFolder() {
  std::string folder = JoinPath(EnsureAppFolder(), "thumbnails");
  EnsureFolder(folder);
  return folder;
}

std::string ConfigFilePath() { return JoinPath(AppFolderPath(), "config.dat"); }

std::string OwnExecutablePath() {
  ScopedKernelHandle process(
      ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ::GetCurrentProcessId()));
  if (!process) return std::string();
  HMODULE module = nullptr;
  DWORD needed = 0;
  if (!::EnumProcessModules(process.Get(), &module, sizeof module, &needed)) return std::string();
  char path[MAX_PATH] = {};
  ::GetModuleFileNameExA(process.Get(), module, path, MAX_PATH);
  return path;
}

HINSTANCE AppInstance() { return g_instance ? g_instance : ::GetModuleHandleA(nullptr); }
void SetAppInstance(HINSTANCE instance) { g_instance = instance; }
