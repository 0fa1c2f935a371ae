// The recent table from the list's ANSI names and folder.
#pragma once

#include <list>
#include <string>

#include "recent/recent.h"

// Converts the names and the folder from the system's ANSI code page to UTF-8 and builds the
// table.
std::string RecentTableHtmlFromAnsi(const std::list<WallpaperEntry>& entries,
                                    const std::string& thumbnailsFolder);
