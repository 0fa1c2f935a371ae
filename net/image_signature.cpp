#include "net/image_signature.h"

#include <cstring>

namespace {

bool StartsWith(const unsigned char* bytes, size_t size, const unsigned char* signature,
                size_t signatureSize) {
  return size >= signatureSize && std::memcmp(bytes, signature, signatureSize) == 0;
}

}  // namespace

bool HasImageSignature(const unsigned char* bytes, size_t size) {
  static const unsigned char kBmp[] = {0x42, 0x4D};
  static const unsigned char kJpeg[] = {0xFF, 0xD8, 0xFF};
  static const unsigned char kPng[] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
  return StartsWith(bytes, size, kBmp, sizeof kBmp) ||
         StartsWith(bytes, size, kJpeg, sizeof kJpeg) || StartsWith(bytes, size, kPng, sizeof kPng);
}
