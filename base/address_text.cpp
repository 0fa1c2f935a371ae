#include "base/address_text.h"

std::string EscapeBytes(std::string_view value, bool (*escaped)(unsigned char)) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : value) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (!escaped(u)) {
      out += c;
      continue;
    }
    out += '%';
    out += kHex[u >> 4];
    out += kHex[u & 0xF];
  }
  return out;
}

std::string FileAddressPath(std::string_view path) {
  return EscapeBytes(path, [](unsigned char c) { return c == '%' || c == '#'; });
}

std::string EscapeQueryValue(std::string_view value) {
  return EscapeBytes(value, [](unsigned char c) {
    return c <= 0x20 || c >= 0x7F || c == '%' || c == '&' || c == '+' || c == '#' || c == '=';
  });
}

std::string UnescapeQueryValue(std::string_view value) {
  const auto digit = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const int high = value[i] == '%' && i + 2 < value.size() ? digit(value[i + 1]) : -1;
    const int low = high >= 0 ? digit(value[i + 2]) : -1;
    if (low < 0) {
      out += value[i];
      continue;
    }
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}
