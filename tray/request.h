// What the user or a web page asks the program to do, made once from whichever form it arrives
// in: the command line's argument (app/argument.h), a second copy's number (message 1144) or its
// text (WM_COPYDATA). The messages between copies keep their forms; only this value goes on.
// Windows-free.
#pragma once

#include <string>

#include "wallpaper/pool.h"

struct Request {
  enum class Kind { OpenSettings, Pool, Wallpaper, Link };
  Kind kind = Kind::OpenSettings;
  PoolChoice pool = {WallpaperPool::All, false};  // Kind::Pool
  int id = 0;                                     // Kind::Wallpaper: the service's id
  std::string link;                               // Kind::Link: an image link, ANSI
};

// A number, from the command line or a second copy: -5 to -1 draw from a pool, any other is a
// wallpaper's id.
Request RequestForNumber(int value);
// Message 1144's number: 0 asks for the settings window; any other as RequestForNumber.
Request RequestFromHandOffNumber(int value);
// A WM_COPYDATA text: the empty text asks for the settings window, any other is a link.
Request RequestFromLinkText(const std::string& text);
