// Whether bytes begin like an image the program can use. Windows-free.
#pragma once

#include <cstddef>

// True when bytes begin with a BMP ("BM"), JPEG (FF D8 FF) or PNG (89 50 4E 47 0D 0A 1A 0A)
// signature; false when there are fewer bytes than the signature needs.
bool HasImageSignature(const unsigned char* bytes, size_t size);
