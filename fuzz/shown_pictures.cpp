// The record of what each screen shows, as read back after a display change: whatever the file
// holds, every name it yields is a plain file of the data folder, and writing the record out and
// reading it again gives the same record.
#include "fuzz/fuzz_support.h"
#include "wallpaper/screen_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<ShownPicture> shown = ParseShownPictures(InputText(data, size));
  for (const ShownPicture& picture : shown) {
    FUZZ_CHECK(IsShownFileName(picture.file));
    FUZZ_CHECK(picture.file.find_first_of("\\/:") == std::string::npos);
  }
  const std::vector<ShownPicture> reread = ParseShownPictures(FormatShownPictures(shown));
  FUZZ_CHECK(reread.size() == shown.size());
  for (std::size_t i = 0; i < shown.size(); ++i) {
    FUZZ_CHECK(reread[i].device == shown[i].device && reread[i].file == shown[i].file);
  }
  return 0;
}
