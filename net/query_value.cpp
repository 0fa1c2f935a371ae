#include "net/query_value.h"

std::string EscapeQueryValue(std::string_view value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : value) {
    const unsigned char u = static_cast<unsigned char>(c);
    const bool breaks =
        u <= 0x20 || u >= 0x7F || c == '%' || c == '&' || c == '+' || c == '#' || c == '=';
    if (!breaks) {
      out += c;
      continue;
    }
    out += '%';
    out += kHex[u >> 4];
    out += kHex[u & 0xF];
  }
  return out;
}
