// Placeholder until the thumbnail store lands: an always-empty list.
#include "recent/recent.h"

WallpaperList::WallpaperList() = default;
WallpaperList::~WallpaperList() = default;
void WallpaperList::SetFolders(const std::string& dataFolder, const std::string& thumbnailsFolder) {
  dataFolder_ = dataFolder;
  thumbnailsFolder_ = thumbnailsFolder;
}
void WallpaperList::Clear() { entries_.clear(); }
void WallpaperList::Load() {}
void WallpaperList::Add(const std::string&) {}
void WallpaperList::RemoveOldest() {}
FILETIME WallpaperList::FileTimeOf(const std::string&) const { return FILETIME{}; }
void WallpaperList::PurgeStrayData() {}
void WallpaperList::MakeThumbnail(const std::string&) {}
void WallpaperList::Sort() {}
WallpaperEntry* WallpaperList::Find(const std::string&) { return nullptr; }
