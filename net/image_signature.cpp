#include "net/image_signature.h"

namespace {

constexpr std::string_view kSignatures[] = {
    std::string_view("BM", 2),
    std::string_view("\xFF\xD8\xFF", 3),
    std::string_view("\x89PNG\r\n\x1A\n", 8),
};

}  // namespace

bool HasImageSignature(std::string_view head) {
  for (std::string_view signature : kSignatures) {
    if (head.substr(0, signature.size()) == signature) return true;
  }
  return false;
}
