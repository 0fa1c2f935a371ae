#include "browser/split_protocol.h"

bool SplitProtocol(const std::string& url, std::string& protocol, std::string& rest) {
  const size_t colon = url.find(':');
  if (colon == std::string::npos || url.compare(colon + 1, 2, "//") != 0) {
    rest = url;
    return false;
  }
  protocol = url.substr(0, colon);
  rest = url.substr(colon + 3);
  return true;
}
