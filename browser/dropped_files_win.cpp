#include "browser/dropped_files_win.h"

#include "wallpaper/wallpaper.h"

bool (*g_applyDroppedImage)(const std::string& imagePath) = ApplyDesktopWallpaper;

void ApplyDroppedFiles(HDROP drop) {
  char path[MAX_PATH];
  for (UINT index = 0; ::DragQueryFileA(drop, index, path, MAX_PATH) != 0; ++index) {
    // Known by its first bytes, whatever its name; a folder or an unreadable file is no image.
    if (IsImageFile(path)) g_applyDroppedImage(path);
  }
}
