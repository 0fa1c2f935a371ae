// The service's answer to a login: one JSON value, read strictly; nothing it holds may escape
// as an exception.
#include "fuzz/fuzz_support.h"
#include "page/page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PageState state;
  ReadLoginAnswer(InputText(data, size), state);
  if (size == 0) FUZZ_CHECK(!state.loggedIn);
  return 0;
}
