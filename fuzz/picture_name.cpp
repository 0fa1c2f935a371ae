// The picture-name rule: a name it accepts is one file in the data folder.
#include "base/path.h"
#include "fuzz/fuzz_support.h"
#include "recent/picture_name.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string name = InputText(data, size);
  if (!IsSafePictureName(name)) return 0;
  FUZZ_CHECK(!name.empty() && name.size() <= 120);
  FUZZ_CHECK(name.find_first_of("\\/:*?\"<>|") == std::string::npos);
  FUZZ_CHECK(name != "." && name != ".." && name.back() != '.' && name.back() != ' ');
  for (char c : name) FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20);
  const std::string folder = "C:\\Users\\jan\\AppData\\Local\\kolorowisko\\data";
  FUZZ_CHECK(FolderOf(JoinPath(folder, name)) == folder);
  return 0;
}
