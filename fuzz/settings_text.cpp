// The settings file as read at start-up: whatever it holds, the store writes one entry a line,
// and reading that text back gives the same store.
#include "fuzz/fuzz_support.h"
#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SettingsStore store;
  store.ReadText(InputText(data, size));
  const std::string text = store.ToText();
  SettingsStore reread;
  reread.ReadText(text);
  FUZZ_CHECK(reread.ToText() == text);
  FUZZ_CHECK(reread.Entries().size() == store.Entries().size());
  for (const auto& [key, value] : store.Entries()) {
    FUZZ_CHECK(key.find_first_of("\r\n=") == std::string::npos);
    FUZZ_CHECK(value.find_first_of("\r\n") == std::string::npos);
  }
  return 0;
}
