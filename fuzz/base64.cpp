// The link report carries the link, any bytes a page gave, in Base64.
#include "fuzz/fuzz_support.h"
#include "wallpaper/service_requests.h"

namespace {

int Sextet(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

std::string Decode(const std::string& text) {
  std::string bytes;
  unsigned group = 0;
  int bits = 0;
  for (char c : text) {
    if (c == '=') break;
    const int value = Sextet(c);
    FUZZ_CHECK(value >= 0);
    group = (group << 6) | static_cast<unsigned>(value);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      bytes += static_cast<char>((group >> bits) & 0xFF);
    }
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes = InputText(data, size);
  const std::string encoded = Base64Encode(bytes);
  FUZZ_CHECK(encoded.size() == (size + 2) / 3 * 4);
  FUZZ_CHECK(Decode(encoded) == bytes);
  return 0;
}
