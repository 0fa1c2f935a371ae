// Values put into the service's query strings: user names, codes, picture names.
#include "fuzz/fuzz_support.h"
#include "net/service_address.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string value = InputText(data, size);
  const std::string escaped = EscapeQueryValue(value);
  std::string unescaped;
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(escaped[i]);
    FUZZ_CHECK(c > 0x20 && c < 0x7F && c != '&' && c != '+' && c != '#' && c != '=');
    if (c != '%') {
      unescaped += static_cast<char>(c);
      continue;
    }
    FUZZ_CHECK(i + 2 < escaped.size());
    const int high = HexDigit(escaped[i + 1]);
    const int low = HexDigit(escaped[i + 2]);
    FUZZ_CHECK(high >= 0 && low >= 0);
    unescaped += static_cast<char>(high * 16 + low);
    i += 2;
  }
  FUZZ_CHECK(unescaped == value);
  return 0;
}
