// Recognises the image formats that the program accepts as wallpapers by their first bytes.
// Windows-free; used wherever bytes of unknown origin are about to be treated as an image.
#pragma once

#include <string_view>

// True when head begins with the signature of a BMP ("BM", 42 4D), a JPEG (FF D8 FF) or a PNG
// (89 50 4E 47 0D 0A 1A 0A) file. head may be a whole file or just its first bytes: the longest
// signature is 8 bytes, and a head shorter than a signature does not match it.
bool HasImageSignature(std::string_view head);
