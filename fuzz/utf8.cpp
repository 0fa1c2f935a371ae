// The UTF-8 conversions of the texts exchanged with the settings page, both ways.
#include <vector>

#include "base/text.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring wide = Utf8ToWide(InputText(data, size));
  // Malformed input has become U+FFFD: the result is valid and converts back and forth unchanged.
  const std::string utf8 = WideToUtf8(wide);
  FUZZ_CHECK(Utf8ToWide(utf8) == wide);
  FUZZ_CHECK(WideToUtf8(Utf8ToWide(utf8)) == utf8);

  // The same bytes taken as wide characters, unpaired surrogates and all.
  std::wstring units;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    units += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
  }
  const std::string fromUnits = WideToUtf8(units);
  FUZZ_CHECK(WideToUtf8(Utf8ToWide(fromUnits)) == fromUnits);
  return 0;
}
