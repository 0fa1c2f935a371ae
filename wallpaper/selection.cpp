#include "wallpaper/selection.h"

#include <cstdio>

#include "net/query_value.h"
#include "net/service_hosts.h"

namespace {

constexpr size_t kMaxUrlLength = 511;

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
  if (!FindTag(answer, "[id:", found.id)) return false;
  if (FindTag(answer, "[error:", error)) return false;  // the service refused; nothing is shown
  if (!FindTag(answer, "[zdjecie:", found.name)) return false;
  chosen = found;
  return true;
}
