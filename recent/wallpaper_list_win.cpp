#include "recent/wallpaper_list_win.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/app_paths_win.h"
#include "base/log.h"
#include "base/path.h"
#include "base/scoped_win.h"
#include "base/text_win.h"
#include "image/image_win.h"
#include "recent/picture_name.h"
#include "recent/recent_table.h"

namespace {

WallpaperList g_wallpapers;

// The files of the folder that the picture-name rule accepts, in the order the search returns
// them, each with its last-write time: every name the store accepts is found again, and the
// program's own files are never taken for pictures. Folders and the hidden system files that
// Windows' file manager may leave (desktop.ini, Thumbs.db) are no pictures either.
std::vector<WallpaperEntry> PictureFilesIn(const std::string& folder) {
  constexpr DWORD kNotPictures =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  std::vector<WallpaperEntry> files;
  WIN32_FIND_DATAA found;
  ScopedFind search(::FindFirstFileA((JoinPath(folder, "*")).c_str(), &found));
  if (!search) return files;
  do {
    if (!(found.dwFileAttributes & kNotPictures) && IsSafePictureName(found.cFileName)) {
      files.push_back({found.cFileName, found.ftLastWriteTime});
    }
  } while (::FindNextFileA(search.Get(), &found));
  return files;
}

// Names as the file system compares them: one file for "A.jpg" and "a.jpg".
int CompareFileNames(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE);
}

bool SameFileName(const std::string& a, const std::string& b) {
  return CompareFileNames(AnsiToWide(a), AnsiToWide(b)) == CSTR_EQUAL;
}

bool FileNameBefore(const std::wstring& a, const std::wstring& b) {
  return CompareFileNames(a, b) == CSTR_LESS_THAN;
}

// The list's names and folder are ANSI; the page takes UTF-8.
std::string RecentTableHtmlFromAnsi(const std::list<WallpaperEntry>& entries,
                                    const std::string& thumbnailsFolder) {
  std::vector<std::string> names;
  names.reserve(entries.size());
  for (const WallpaperEntry& entry : entries) names.push_back(AnsiToUtf8(entry.name));
  return BuildRecentTableHtml(names, AnsiToUtf8(thumbnailsFolder));
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
  for (WallpaperEntry& thumbnail : PictureFilesIn(thumbnailsFolder_)) {
    entries_.push_back(std::move(thumbnail));
  }
  Sort();
  RemoveBeyondLimit();
  PurgeStrayData();
}

void WallpaperList::Add(const std::string& name, Gdiplus::GpBitmap* thumbnail) {
  entries_.push_back({name, FileTimeOf(name)});
  Sort();
  RemoveBeyondLimit();
  if (thumbnail) {
    StoreThumbnail(name, thumbnail);
  } else {
    MakeThumbnail(name);
  }
}

void WallpaperList::RemoveOldest() {
  if (entries_.empty()) return;
  const std::string name = entries_.back().name;
  entries_.pop_back();
  // Another entry of the same file keeps it.
  if (!Find(name)) DeleteFiles(name);
}

void WallpaperList::Remove(const std::string& name) {
  entries_.remove_if(
      [&name](const WallpaperEntry& entry) { return SameFileName(entry.name, name); });
  DeleteFiles(name);
}

void WallpaperList::DeleteFiles(const std::string& name) {
  ::DeleteFileA((JoinPath(thumbnailsFolder_, name)).c_str());
  if (!IsShown(name)) ::DeleteFileA((JoinPath(dataFolder_, name)).c_str());
}

bool WallpaperList::IsShown(const std::string& name) const {
  return std::any_of(shown_.begin(), shown_.end(),
                     [&name](const std::string& shown) { return SameFileName(shown, name); });
}

void WallpaperList::RemoveBeyondLimit() {
  while (entries_.size() > static_cast<size_t>(limit_)) RemoveOldest();
}

FILETIME WallpaperList::FileTimeOf(const std::string& name) const {
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  if (::GetFileAttributesExA((JoinPath(dataFolder_, name)).c_str(), GetFileExInfoStandard,
                             &attributes)) {
    return attributes.ftLastWriteTime;
  }
  // A data file that cannot be read counts as stored now, like a file just downloaded: the new
  // entry comes first.
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  return now;
}

void WallpaperList::PurgeStrayData() {
  std::vector<WallpaperEntry> files = PictureFilesIn(dataFolder_);
  // The last link's and drop's pictures have done their work once no screen shows them.
  files.push_back({kCustomPictureFile, {}});
  files.push_back({kDroppedPictureFile, {}});
  // Sorted once, so that a full store is looked through in n log n, not n squared.
  std::vector<std::wstring> listed;
  listed.reserve(entries_.size());
  for (const WallpaperEntry& entry : entries_) listed.push_back(AnsiToWide(entry.name));
  std::sort(listed.begin(), listed.end(), FileNameBefore);
  for (const WallpaperEntry& file : files) {
    if (!std::binary_search(listed.begin(), listed.end(), AnsiToWide(file.name), FileNameBefore) &&
        !IsShown(file.name)) {
      ::DeleteFileA((JoinPath(dataFolder_, file.name)).c_str());
    }
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
    if (SameFileName(entry.name, name)) return &entry;
  }
  return nullptr;
}

void WallpaperList::MakeThumbnail(const std::string& name) {
  // A session of its own, so a thumbnail can be made whether or not the process started GDI+.
  const ScopedGdiplus gdiplus = StartGdiplus();
  ScopedGdipBitmap source = LoadImageFile(JoinPath(dataFolder_, name));
  if (source) {
    StoreThumbnail(name, DrawThumbnail(source.Get()).Get());
  } else {
    WriteLog(AnsiToUtf8(name) + " in the store cannot be read");
  }
}

void WallpaperList::StoreThumbnail(const std::string& name, Gdiplus::GpBitmap* thumbnail) {
  EnsureFolder(thumbnailsFolder_);
  if (!thumbnail || !SaveImageFile(thumbnail, JoinPath(thumbnailsFolder_, name), L"image/jpeg")) {
    WriteLog("the thumbnail of " + AnsiToUtf8(name) + " could not be made");
  }
}

std::string WallpaperList::RecentTableHtml() const {
  return RecentTableHtmlFromAnsi(entries_, thumbnailsFolder_);
}

ScopedGdipBitmap DrawThumbnail(Gdiplus::GpBitmap* picture) {
  Gdiplus::PixelFormat format = PixelFormat24bppRGB;
  Gdiplus::DllExports::GdipGetImagePixelFormat(picture, &format);
  return DrawCentreCrop(picture, WallpaperList::kThumbnailWidth, WallpaperList::kThumbnailHeight,
                        format, Gdiplus::InterpolationModeDefault);
}

WallpaperList& AppWallpapers() { return g_wallpapers; }

void LoadAppWallpapers() {
  const std::string thumbnails = EnsureThumbnailsFolder();
  const std::string data = EnsureDataFolder();
  g_wallpapers.SetFolders(data, thumbnails);
  g_wallpapers.Load();
}
