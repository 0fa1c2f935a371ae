#include <unordered_set>
#include <utility>
#include <vector>

#include "app/scoped_win.h"
#include "recent/recent.h"

namespace {

// The files matching folder + "*.jpg" (folders excluded), in the order the search returns them,
// each with its last-write time.
std::vector<WallpaperEntry> JpegFilesIn(const std::string& folder) {
  std::vector<WallpaperEntry> files;
  WIN32_FIND_DATAA found;
  ScopedFind search(::FindFirstFileA((folder + "*.jpg").c_str(), &found));
  if (!search) return files;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      files.push_back({found.cFileName, found.ftLastWriteTime});
    }
  } while (::FindNextFileA(search.Get(), &found));
  return files;
}

}  // namespace

WallpaperList::WallpaperList() = default;
WallpaperList::~WallpaperList() = default;

void WallpaperList::SetFolders(const std::string& dataFolder, const std::string& thumbnailsFolder) {
  dataFolder_ = dataFolder;
  thumbnailsFolder_ = thumbnailsFolder;
}

void WallpaperList::Clear() { entries_.clear(); }

void WallpaperList::Load() {
  entries_.clear();
  // The thumbnails are the list's lasting form: each one's last-write time gives its place.
  for (WallpaperEntry& thumbnail : JpegFilesIn(thumbnailsFolder_)) {
    entries_.push_back(std::move(thumbnail));
  }
  Sort();
  RemoveBeyondLimit();
  PurgeStrayData();
}

void WallpaperList::Add(const std::string& name) {
  entries_.push_back({name, FileTimeOf(name)});
  Sort();
  RemoveBeyondLimit();
  MakeThumbnail(name);
}

void WallpaperList::RemoveOldest() {
  if (entries_.empty()) return;
  const std::string name = entries_.back().name;
  entries_.pop_back();
  ::DeleteFileA((thumbnailsFolder_ + name).c_str());
  ::DeleteFileA((dataFolder_ + name).c_str());
}

void WallpaperList::RemoveBeyondLimit() {
  while (entries_.size() > static_cast<size_t>(limit_)) RemoveOldest();
}

FILETIME WallpaperList::FileTimeOf(const std::string& name) const {
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  if (::GetFileAttributesExA((dataFolder_ + name).c_str(), GetFileExInfoStandard, &attributes)) {
    return attributes.ftLastWriteTime;
  }
  // A data file that cannot be read counts as stored now, like a file just downloaded: the new
  // entry comes first.
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  return now;
}

void WallpaperList::PurgeStrayData() {
  std::unordered_set<std::string> listed;
  for (const WallpaperEntry& entry : entries_) listed.insert(entry.name);
  for (const WallpaperEntry& file : JpegFilesIn(dataFolder_)) {
    if (listed.count(file.name) == 0) ::DeleteFileA((dataFolder_ + file.name).c_str());
  }
}

void WallpaperList::Sort() {
  // std::list::sort is a stable merge sort: entries of equal time keep their order.
  entries_.sort([](const WallpaperEntry& a, const WallpaperEntry& b) {
    return ::CompareFileTime(&a.time, &b.time) > 0;
  });
}

WallpaperEntry* WallpaperList::Find(const std::string& name) {
  for (WallpaperEntry& entry : entries_) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}
