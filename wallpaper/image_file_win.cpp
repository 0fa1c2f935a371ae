#include <windows.h>

#include "app/scoped_win.h"
#include "net/image_signature.h"
#include "wallpaper/wallpaper.h"

bool IsImageFile(const std::string& path) {
  ScopedFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  unsigned char head[128] = {};
  DWORD got = 0;
  if (!::ReadFile(file.Get(), head, sizeof head, &got, nullptr)) return false;
  return HasImageSignature(head, got);
}
