// The service's answer to the selection request: an id that is stored and named in files, and a
// picture name.
#include <cstdlib>

#include "fuzz/fuzz_support.h"
#include "net/service_address.h"
#include "recent/picture_name.h"
#include "wallpaper/service_requests.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SelectionAnswer chosen;
  if (!ParseSelectionAnswer(InputText(data, size), chosen)) return 0;
  FUZZ_CHECK(!chosen.id.empty() && chosen.id.size() <= 11);
  FUZZ_CHECK(std::to_string(std::strtoll(chosen.id.c_str(), nullptr, 10)) == chosen.id);
  FUZZ_CHECK(chosen.name.find(']') == std::string::npos);
  const std::string url = ImageRequestUrl(chosen.id, chosen.name);
  FUZZ_CHECK(url.size() <= 255);
  // A request that is sent names the whole picture, never a cut one.
  const std::size_t value = url.find("zdjecie=");
  if (!chosen.name.empty() && !url.empty()) {
    FUZZ_CHECK(UnescapeQueryValue(url.substr(value + 8)) == chosen.name);
  }
  IsSafePictureName(chosen.name.empty() ? chosen.id + ".jpg" : chosen.name);
  return 0;
}
