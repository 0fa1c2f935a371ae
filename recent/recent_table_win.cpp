// Placeholder until the recent-wallpapers table lands: an empty table.
#include "recent/recent.h"

std::string WallpaperList::RecentTableHtml() const { return std::string(); }
