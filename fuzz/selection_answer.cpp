// The service's answer to the selection request: an id that is stored and named in files, a
// picture name, and a refusal's text, which goes into the diagnostics log.
#include <cstdlib>

#include "base/log.h"
#include "fuzz/fuzz_support.h"
#include "net/service_address.h"
#include "recent/picture_name.h"
#include "wallpaper/change_outcome.h"
#include "wallpaper/service_requests.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string answer = InputText(data, size);
  ChangeOutcome refused(ChangeFailure::ServiceError);
  refused.serviceText = SelectionErrorText(answer);
  const std::string line = FormatLogLine({}, ChangeLogText(ChangeOrigin::Timer, "", refused, 0));
  FUZZ_CHECK(line.find_first_of("\r\n") == line.size() - 2);
  SelectionAnswer chosen;
  if (!ParseSelectionAnswer(answer, chosen)) return 0;
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
