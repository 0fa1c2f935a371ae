// Addresses of the service's pages that the program opens for the user. Windows-free.
#pragma once

#include <string>

// The service's start page, on the report host.
std::string StartPageAddress();
// The page of one wallpaper (to view, comment on, rate or add it to the favourites), on the
// service host.
std::string WallpaperPageAddress(int wallpaperId);
