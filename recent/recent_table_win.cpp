#include "recent/recent_table_win.h"

#include <vector>

#include "app/ansi_text_win.h"
#include "recent/recent_table.h"

std::string RecentTableHtmlFromAnsi(const std::list<WallpaperEntry>& entries,
                                    const std::string& thumbnailsFolder) {
  std::vector<std::string> names;
  names.reserve(entries.size());
  for (const WallpaperEntry& entry : entries) names.push_back(AnsiToUtf8(entry.name));
  return BuildRecentTableHtml(names, AnsiToUtf8(thumbnailsFolder));
}

std::string WallpaperList::RecentTableHtml() const {
  return RecentTableHtmlFromAnsi(entries_, thumbnailsFolder_);
}
