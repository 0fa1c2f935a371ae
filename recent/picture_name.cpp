#include "recent/picture_name.h"

#include <cstring>

#include "base/text.h"

namespace {

// Far below MAX_PATH, which the folder's path and the name share.
constexpr size_t kMaxNameLength = 120;

bool IsAllowedByte(char c) {
  return static_cast<unsigned char>(c) >= 0x20 && std::strchr("\\/:*?\"<>|", c) == nullptr;
}

// Windows opens the device for such a name whatever its extension, and spaces before the dot do
// not change that.
bool IsReservedDeviceName(const std::string& lowerName) {
  std::string base = lowerName.substr(0, lowerName.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  if (base == "con" || base == "prn" || base == "aux" || base == "nul" || base == "conin$" ||
      base == "conout$") {
    return true;
  }
  return base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
         base[3] >= '1' && base[3] <= '9';
}

bool IsTemporaryFileName(const std::string& lowerName) {
  return lowerName.size() >= 7 && lowerName.compare(0, 3, "kol") == 0 &&
         lowerName.compare(lowerName.size() - 4, 4, ".tmp") == 0;
}

}  // namespace

bool IsSafePictureName(const std::string& name) {
  if (name.empty() || name.size() > kMaxNameLength) return false;
  if (name == "." || name == ".." || name.back() == '.' || name.back() == ' ') return false;
  for (char c : name) {
    if (!IsAllowedByte(c)) return false;
  }
  const std::string lower = LowerAscii(name);
  return !IsReservedDeviceName(lower) && !IsTemporaryFileName(lower) && lower != "wall.bmp" &&
         lower != kCustomPictureFile && lower != kDroppedPictureFile;
}
