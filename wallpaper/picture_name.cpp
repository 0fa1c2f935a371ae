#include "wallpaper/picture_name.h"

#include <cctype>

namespace {

constexpr size_t kMaxNameLength = 120;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool IsAllowedCharacter(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return u < 0x80 && (std::isalnum(u) || c == '.' || c == '-' || c == '_' || c == '(' || c == ')');
}

// Windows opens the device for such a name whatever its extension.
bool IsReservedDeviceName(const std::string& lowerName) {
  const std::string base = lowerName.substr(0, lowerName.find('.'));
  if (base == "con" || base == "prn" || base == "aux" || base == "nul") return true;
  return base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
         base[3] >= '1' && base[3] <= '9';
}

}  // namespace

bool IsSafePictureName(const std::string& name) {
  if (name.empty() || name.size() > kMaxNameLength) return false;
  if (name.front() == '.' || name.back() == '.') return false;
  for (char c : name) {
    if (!IsAllowedCharacter(c)) return false;
  }
  const std::string lower = Lower(name);
  return !IsReservedDeviceName(lower) && lower != "wall.bmp" && lower != "custom.jpg";
}
