// The index of stored wallpapers (a data file and its thumbnail of the same name), newest first,
// with its limit, its thumbnails and the recent page's table; and the program's own list.
#pragma once

#include <windows.h>

#include <list>
#include <string>
#include <utility>
#include <vector>

#include "image/image_win.h"

struct WallpaperEntry {
  std::string name;  // the file name, the same in the data and the thumbnails folder
  FILETIME time;     // the thumbnail's (at Load) or the data file's (at Add) last-write time
};

class WallpaperList {
 public:
  WallpaperList();
  virtual ~WallpaperList();

  void SetFolders(const std::string& dataFolder, const std::string& thumbnailsFolder);
  void Clear();
  // The data files that the screens show now: never purged, nor deleted with their entry, since a
  // display change draws the desktop again from them.
  void KeepShownFiles(std::vector<std::string> names) { shown_ = std::move(names); }

  // Rebuilds the entries from the thumbnails folder, prunes to the limit, purges stray data.
  void Load();
  // Records a newly stored data file and stores its thumbnail: the one given, drawn by
  // DrawThumbnail from the file already decoded (a decoding is most of a thumbnail's cost), else
  // one made from the file.
  void Add(const std::string& name, Gdiplus::GpBitmap* thumbnail = nullptr);
  // Drops the oldest entry and deletes its files, unless another entry names the same files.
  void RemoveOldest();
  // Drops every entry of that name and deletes its files (a shown data file stays).
  void Remove(const std::string& name);
  void MakeThumbnail(const std::string& name);
  // Newest first; stable, so entries of equal time keep their order.
  void Sort();

  // The first (newest) entry with this name, compared as the file system compares names (case
  // ignored), or null.
  WallpaperEntry* Find(const std::string& name);

  // The recent page's table, UTF-8.
  std::string RecentTableHtml() const;

  // The size of a thumbnail, in pixels.
  static constexpr int kThumbnailWidth = 120;
  static constexpr int kThumbnailHeight = 100;

  const std::list<WallpaperEntry>& Entries() const { return entries_; }
  const std::string& DataFolder() const { return dataFolder_; }
  const std::string& ThumbnailsFolder() const { return thumbnailsFolder_; }
  int Limit() const { return limit_; }

 private:
  // RemoveOldest while there are more entries than the limit.
  void RemoveBeyondLimit();
  bool IsShown(const std::string& name) const;
  void DeleteFiles(const std::string& name);
  FILETIME FileTimeOf(const std::string& name) const;
  // Removes data files that no entry names (a thumbnail lost, a change cut short), but never one
  // that the screens show.
  void PurgeStrayData();
  // Writes the drawn thumbnail of the data file of that name; an empty one is logged.
  void StoreThumbnail(const std::string& name, Gdiplus::GpBitmap* thumbnail);

  std::list<WallpaperEntry> entries_;
  std::string dataFolder_;
  std::string thumbnailsFolder_;
  std::vector<std::string> shown_;
  int limit_ = 500;
};

// The thumbnail of a decoded picture: its centre at the thumbnail's size, in its own pixel format;
// empty when it cannot be drawn. Uses nothing but the picture, so it may run on another thread.
ScopedGdipBitmap DrawThumbnail(Gdiplus::GpBitmap* picture);

// The program's one list (limit 500), empty until LoadAppWallpapers.
WallpaperList& AppWallpapers();
// Makes sure of the data and thumbnails folders, gives them to the program's list and loads it.
void LoadAppWallpapers();
