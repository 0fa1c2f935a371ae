#include "net/url_scheme.h"

namespace {

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

void ApplyHttpScheme(std::string& url) {
  if (!StartsWith(url, "http://") && !StartsWith(url, "https://")) url.insert(0, "http://");
}
