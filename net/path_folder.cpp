#include "net/path_folder.h"

std::string FolderOf(const std::string& path) {
  const std::string::size_type end = path.find_last_of("\\/:");
  if (end == std::string::npos) return ".";
  return path.substr(0, end + 1);
}
