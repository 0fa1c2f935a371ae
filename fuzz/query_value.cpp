// Values put into the service's query strings (user names, codes, picture names), and the
// recent table's escaped names as they come back in the page's anchors.
#include "fuzz/fuzz_support.h"
#include "base/address_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string value = InputText(data, size);
  const std::string escaped = EscapeQueryValue(value);
  for (const char c : escaped) {
    const unsigned char u = static_cast<unsigned char>(c);
    FUZZ_CHECK(u > 0x20 && u < 0x7F && c != '&' && c != '+' && c != '#' && c != '=');
  }
  FUZZ_CHECK(UnescapeQueryValue(escaped) == value);
  // Any text, escaped or not, unescapes without growing.
  FUZZ_CHECK(UnescapeQueryValue(value).size() <= value.size());
  return 0;
}
