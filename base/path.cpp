#include "base/path.h"

namespace {

bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && (path.back() == '\\' || path.back() == '/' || path.back() == ':');
}

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return std::string();
  return EndsWithSeparator(folder) ? folder + name : folder + "\\" + name;
}

std::string FolderOf(const std::string& path) {
  const std::string::size_type end = path.find_last_of("\\/:");
  if (end == std::string::npos) return ".";
  if (path[end] == ':') return path.substr(0, end + 1);
  // The separator after a drive, or a path's leading one, makes the root: it stays.
  const bool root = end == 0 || path[end - 1] == ':';
  return path.substr(0, root ? end + 1 : end);
}
