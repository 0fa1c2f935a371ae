// Recent wallpapers: the index of stored wallpapers, newest first, at most 500, and the program's
// own list (wallpaper_list_win.h); the HTML table of the recent-wallpapers page (recent_table.h,
// Windows-free); and the rule a stored picture's name follows (picture_name.h).
#pragma once

#include "recent/wallpaper_list_win.h"
