#include "support/temp_folder.h"

#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <cstdio>

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  char base[MAX_PATH];
  ::GetTempPathA(MAX_PATH, base);
  char name[64];
  std::snprintf(name, sizeof name, "kolorowisko-test-%lu-%d", ::GetCurrentProcessId(), counter++);
  path_ = std::string(base) + name;
  ::CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  std::string from = path_;
  from.push_back('\0');  // SHFileOperation takes a double-NUL-terminated list
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  ::SHFileOperationA(&operation);
}

std::string TempFolder::File(const std::string& name) const { return path_ + "\\" + name; }
