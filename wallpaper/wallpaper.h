// Wallpaper engine: choosing a wallpaper on the service, downloading and storing it, turning an
// image into the screen-sized wall.bmp and making that the desktop wallpaper; and the changes the
// user asks for and the automatic ones. The engine's steps are in engine_win.h, the making of
// the desktop wallpaper in desktop_wallpaper.h and screens_win.h, the logged changes that the
// program calls in user_change_win.h and auto_change_win.h; the Windows-free rules are in pool.h,
// service_requests.h, auto_change_counter.h and auto_change_day.h; the picture-name rule is
// recent/picture_name.h.
#pragma once

#include "wallpaper/auto_change_win.h"
#include "wallpaper/desktop_wallpaper.h"
#include "wallpaper/engine_win.h"
#include "wallpaper/user_change_win.h"
