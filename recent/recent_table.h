// The recent-wallpapers page's table: a thumbnail per stored wallpaper, each linking to the
// anchor that sets it again. Windows-free.
#pragma once

#include <string>
#include <vector>

// names (newest first) and thumbnailsFolder in UTF-8, escaped for the HTML attributes they go in:
// in the anchor a name is escaped as a query value, in the file address "#" and "%" are. Five
// thumbnails to a row; the last row is filled up with empty cells to seven.
std::string BuildRecentTableHtml(const std::vector<std::string>& names,
                                 const std::string& thumbnailsFolder);
