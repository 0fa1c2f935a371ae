// The command-line argument, which any web page can set through a link of the URL scheme.
#include "app/argument.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string argument = NormaliseArgument(InputText(data, size));
  FUZZ_CHECK(argument.find('"') == std::string::npos);
  FUZZ_CHECK(argument.size() <= size);
  switch (ClassifyArgument(argument)) {
    case ArgumentKind::Empty:
      FUZZ_CHECK(argument.empty());
      break;
    case ArgumentKind::Numeric:
      NumericArgumentValue(argument);
      break;
    case ArgumentKind::Link:
      FUZZ_CHECK(!argument.empty());
      break;
  }
  return 0;
}
