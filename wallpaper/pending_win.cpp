// Placeholders until the screen bitmap lands: every operation reports that it did nothing.
#include "wallpaper/wallpaper.h"

bool ApplyDesktopWallpaper(const std::string&) { return false; }
bool ConvertToScreenBitmap(const std::string&, const std::string&) { return false; }
int FindEncoderClsid(const wchar_t*, CLSID*) { return -1; }
