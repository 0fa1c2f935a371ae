// The browser host's split of a navigated address into its protocol and the rest.
#include "browser/split_protocol.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string url = InputText(data, size);
  std::string protocol = "unchanged";
  std::string rest;
  if (SplitProtocol(url, protocol, rest)) {
    FUZZ_CHECK(protocol + "://" + rest == url);
    FUZZ_CHECK(protocol.find(':') == std::string::npos);
  } else {
    FUZZ_CHECK(rest == url);
    FUZZ_CHECK(protocol == "unchanged");
  }
  return 0;
}
