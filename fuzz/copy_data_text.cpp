// The text another process sends in a WM_COPYDATA block.
#include <cstring>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "tray/copy_data_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A block of exactly size bytes, so that a read past its end is seen.
  std::vector<std::uint8_t> block(data, data + size);
  const std::string text = CopyDataText(size ? block.data() : nullptr, size);
  FUZZ_CHECK(text.size() <= size);
  FUZZ_CHECK(text.find('\0') == std::string::npos);
  FUZZ_CHECK(size == 0 || std::memcmp(text.data(), block.data(), text.size()) == 0);
  return 0;
}
