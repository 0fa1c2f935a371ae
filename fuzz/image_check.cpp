// The rules a downloaded body must pass before it is stored: its signature and its completeness,
// the latter also fed in two parts, as a transfer delivers it.
#include "fuzz/fuzz_support.h"
#include "image/image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const bool signature = HasImageSignature(data, size);
  ImageCompleteness once;
  once.Feed(data, size);
  const bool whole = once.Whole();
  if (whole) FUZZ_CHECK(signature);
  const std::size_t split = size == 0 ? 0 : data[0] % (size + 1);
  ImageCompleteness parts;
  parts.Feed(data, split);
  parts.Feed(data + split, size - split);
  FUZZ_CHECK(parts.Whole() == whole);
  return 0;
}
