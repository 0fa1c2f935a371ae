// The service's selection request and its tagged answer. Windows-free.
#pragma once

#include <string>

#include "wallpaper/wallpaper_pool.h"

struct SelectionRequest {
  std::string user;           // "USER" as stored
  std::string authorization;  // "AUTORIZATION" when "SAVE" is "YES", else empty
  WallpaperPool pool;         // as the caller gave it
  int category;               // "CATEGORY", used for pools above 4
  bool premium;               // the caller's premium flag
  int screenWidth;
  int screenHeight;
  int random;  // the request's "losowa": makes every address different
};

// The selection request's address on the service host, at most 511 characters. A pool above 4
// is the category's; one outside 0 to 4 draws from all wallpapers.
std::string SelectionRequestUrl(const SelectionRequest& request);

struct SelectionAnswer {
  std::string id;
  std::string name;  // empty: fetch by id
};

// Reads the "[id:", "[error:" and "[zdjecie:" tags, each the first of its kind, in any order.
// False when the id or picture tag is missing or unterminated, or a complete error tag is there.
bool ParseSelectionAnswer(const std::string& answer, SelectionAnswer& chosen);
