#include "browser/dropped_files_win.h"

#include "app/scoped_win.h"
#include "net/image_signature.h"
#include "wallpaper/wallpaper.h"

bool (*g_applyDroppedImage)(const std::string& imagePath) = ApplyDesktopWallpaper;

namespace {

// Enough for every signature; the name's extension plays no part.
constexpr DWORD kSignatureBytes = 128;

bool IsImageFile(const char* path) {
  // A folder cannot be opened this way, so it is no image either.
  ScopedFile file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  unsigned char bytes[kSignatureBytes] = {};
  DWORD read = 0;
  if (!::ReadFile(file.Get(), bytes, sizeof bytes, &read, nullptr)) return false;
  return HasImageSignature(bytes, read);
}

}  // namespace

void ApplyDroppedFiles(HDROP drop) {
  char path[MAX_PATH];
  for (UINT index = 0; ::DragQueryFileA(drop, index, path, MAX_PATH) != 0; ++index) {
    if (IsImageFile(path)) g_applyDroppedImage(path);
  }
}
