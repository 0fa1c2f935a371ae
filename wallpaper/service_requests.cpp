#include "wallpaper/service_requests.h"

#include <cstdio>
#include <string>

#include "net/service_address.h"

namespace {

constexpr size_t kMaxUrlLength = 511;
constexpr size_t kMaxImageUrlLength = 255;

struct PoolQuery {
  const char* pokaz;
  bool alwaysPremium;
};

constexpr PoolQuery kPools[] = {
    {"all", true},            // Super
    {"all", false},           // All
    {"ulubione_tap", false},  // FavouriteWallpapers
    {"ulubione_kat", false},  // FavouriteCategories
    {"dodane_tap", false},    // Added
};
constexpr unsigned kPoolCount = sizeof kPools / sizeof kPools[0];

unsigned ResolvePool(WallpaperPool pool, int category) {
  unsigned number = static_cast<unsigned>(pool);
  if (number >= kPoolCount) number = static_cast<unsigned>(category);
  // A stored category the service does not know draws from all wallpapers.
  return number < kPoolCount ? number : static_cast<unsigned>(WallpaperPool::All);
}

// The value of the first complete tag, e.g. "[id:" ... "]".
bool FindTag(const std::string& answer, const char* tag, std::string& value) {
  const size_t start = answer.find(tag);
  if (start == std::string::npos) return false;
  const size_t valueStart = start + std::char_traits<char>::length(tag);
  const size_t end = answer.find(']', valueStart);
  if (end == std::string::npos) return false;
  value = answer.substr(valueStart, end - valueStart);
  return true;
}

// A wallpaper number: an optional "-" and one to ten decimal digits, within the int range. The id
// becomes a file name and a stored setting, so nothing else may pass. Written back canonically.
bool ReadWallpaperNumber(const std::string& text, std::string& number) {
  constexpr size_t kMaxDigits = 10;
  const size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
  const size_t digits = text.size() - first;
  if (digits == 0 || digits > kMaxDigits) return false;
  long long value = 0;
  for (size_t i = first; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  if (first == 1) value = -value;
  if (value < -2147483648LL || value > 2147483647LL) return false;
  number = std::to_string(value);
  return true;
}

}  // namespace

std::string SelectionRequestUrl(const SelectionRequest& request) {
  const unsigned pool = ResolvePool(request.pool, request.category);
  const PoolQuery& query = kPools[pool];
  char tail[64];
  std::snprintf(tail, sizeof tail, "&pokaz=%s&x=%d&y=%d%s&losowa=%d", query.pokaz,
                request.screenWidth, request.screenHeight,
                query.alwaysPremium || request.premium ? "&premiowane=tak" : "", request.random);
  std::string url =
      ServiceUrl("/program/wybierz_tapete_v2.php?user=" + EscapeQueryValue(request.user) +
                 "&kod_user=" + EscapeQueryValue(request.authorization) + tail);
  if (url.size() > kMaxUrlLength) url.resize(kMaxUrlLength);
  return url;
}

bool ParseSelectionAnswer(const std::string& answer, SelectionAnswer& chosen) {
  SelectionAnswer found;
  std::string error;
  std::string id;
  if (!FindTag(answer, "[id:", id) || !ReadWallpaperNumber(id, found.id)) return false;
  if (FindTag(answer, "[error:", error)) return false;  // the service refused; nothing is shown
  if (!FindTag(answer, "[zdjecie:", found.name)) return false;
  chosen = found;
  return true;
}

std::string SelectionErrorText(const std::string& answer) {
  std::string error;
  FindTag(answer, "[error:", error);
  return error;
}

std::string ImageRequestUrl(const std::string& id, const std::string& name) {
  // QUIRK: the service knows the picture-name path with its doubled slash; kept as it is.
  std::string url =
      ServiceUrl(name.empty() ? "/program/pobierz_jpeg.php?id=" + id
                              : "/program//pobierz_jpeg_v2.php?zdjecie=" + EscapeQueryValue(name));
  // Cut short, the request would name another picture (or break an escape) while the file is
  // stored under the whole name.
  return url.size() > kMaxImageUrlLength ? std::string() : url;
}

std::string LinkReportUrl(const std::string& link, bool fetched) {
  return ReportUrl(std::string("/program/spr_link.php?change=") + (fetched ? "ok" : "error") +
                   "&adres=" + Base64Encode(link));
}

std::string Base64Encode(std::string_view bytes) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const size_t count = bytes.size() - i < 3 ? bytes.size() - i : 3;
    unsigned group = 0;
    for (size_t k = 0; k < 3; ++k) {
      group <<= 8;
      if (k < count) group |= static_cast<unsigned char>(bytes[i + k]);
    }
    for (size_t k = 0; k < 4; ++k) {
      out += k <= count ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
  }
  return out;
}
