// Recognises the image files the program accepts by their first bytes, whatever their names.
#pragma once

#include <cstddef>

// True when bytes start with the signature of a BMP ("BM"), a JPEG (FF D8 FF) or a PNG
// (89 50 4E 47 0D 0A 1A 0A); false when there are fewer bytes than the signature needs.
bool HasImageSignature(const unsigned char* bytes, size_t size);
