// A service host as the build configures it: "https://host[:port]", "http://host[:port]", or a
// bare "host[:port]", which stays http so that older build settings keep their meaning.
// Windows-free; constexpr, so that a build configured with anything else does not compile.
#pragma once

#include <optional>
#include <string_view>

struct HostAddress {
  bool secure = false;         // https
  std::string_view authority;  // host[:port], as configured
};

namespace host_address_detail {

constexpr bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.';
}

// 1 to 65535, in decimal digits without a sign.
constexpr bool IsPort(std::string_view port) {
  if (port.empty() || port.size() > 5) return false;
  unsigned long value = 0;
  for (char c : port) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned long>(c - '0');
  }
  return value >= 1 && value <= 65535;
}

}  // namespace host_address_detail

// Empty for any other form: another scheme (or one in capitals), an empty host, a path, a query,
// user information, a bad port. A host is letters, digits, "-" and ".".
constexpr std::optional<HostAddress> ParseHostAddress(std::string_view configured) {
  HostAddress address;
  std::string_view rest = configured;
  if (rest.substr(0, 8) == "https://") {
    address.secure = true;
    rest.remove_prefix(8);
  } else if (rest.substr(0, 7) == "http://") {
    rest.remove_prefix(7);
  }
  const std::size_t colon = rest.find(':');
  const std::string_view host = rest.substr(0, colon);
  if (host.empty()) return std::nullopt;
  for (char c : host) {
    if (!host_address_detail::IsNameChar(c)) return std::nullopt;
  }
  if (colon != std::string_view::npos && !host_address_detail::IsPort(rest.substr(colon + 1))) {
    return std::nullopt;
  }
  address.authority = rest;
  return address;
}
