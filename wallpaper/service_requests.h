// The wallpaper engine's requests to the service: the selection request and its tagged answer,
// the image requests by number and by name, and the link report. Windows-free.
#pragma once

#include <string>
#include <string_view>

#include "wallpaper/pool.h"

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
  std::string id;    // a decimal number in the int range, without leading zeros
  std::string name;  // empty: fetch by id
};

// Reads the "[id:", "[error:" and "[zdjecie:" tags, each the first of its kind, in any order.
// False when the id or picture tag is missing or unterminated, the id is not a decimal number in
// the int range, or a complete error tag is there.
bool ParseSelectionAnswer(const std::string& answer, SelectionAnswer& chosen);
// The text of the answer's complete "[error:" tag, the service's reason for a refusal; empty
// without one.
std::string SelectionErrorText(const std::string& answer);

// The image's address: by name (escaped as a query value) when name is not empty, by id
// otherwise; empty when it would be longer than 255 characters.
std::string ImageRequestUrl(const std::string& id, const std::string& name);
// The report of a link handed to the program, on the report host: whether its image was fetched,
// and the link as the user gave it, in Base64.
std::string LinkReportUrl(const std::string& link, bool fetched);

// Base64 with the standard alphabet and "=" padding, no line breaks.
std::string Base64Encode(std::string_view bytes);
