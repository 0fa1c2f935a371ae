#include "image/image.h"

#include <cstring>

namespace {

bool StartsWith(const unsigned char* bytes, size_t size, const char* signature, size_t length) {
  return size >= length && std::memcmp(bytes, signature, length) == 0;
}

}  // namespace

bool HasImageSignature(const unsigned char* bytes, std::size_t size) {
  return StartsWith(bytes, size, "BM", 2) || StartsWith(bytes, size, "\xFF\xD8\xFF", 3) ||
         StartsWith(bytes, size, "\x89PNG\r\n\x1A\n", 8);
}
