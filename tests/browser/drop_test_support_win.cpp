#include "browser/drop_test_support_win.h"

#include <shlobj.h>

#include <cstring>

#include "browser/file_drop_win.h"
#include "support/file_bytes.h"

namespace {

std::vector<std::string> g_applied;
std::vector<std::string> g_contents;

bool RecordApplied(const std::string& path, const std::string&) {
  g_applied.push_back(path);
  g_contents.push_back(ReadFileBytes(path));
  return true;
}

}  // namespace

HDROP MakeDropHandle(const std::vector<std::string>& paths) {
  std::string list;
  for (const std::string& path : paths) list += path + '\0';
  list += '\0';
  HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
  auto* files = static_cast<DROPFILES*>(::GlobalLock(memory));
  files->pFiles = sizeof(DROPFILES);
  files->fWide = FALSE;
  std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), list.data(), list.size());
  ::GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

AppliedImages::AppliedImages() : replacement_(SetDroppedImageHandler, RecordApplied) {
  g_applied.clear();
  g_contents.clear();
}

const std::vector<std::string>& AppliedImages::Paths() const { return g_applied; }
const std::vector<std::string>& AppliedImages::Contents() const { return g_contents; }
