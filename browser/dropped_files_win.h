// Files dropped on the settings window: every image among them becomes the desktop wallpaper,
// one after the other, so the last one stays.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

// Where the dropped images go; tests replace it to see which files arrive, in order.
extern bool (*g_applyDroppedImage)(const std::string& imagePath);

// Applies each dropped file that is a BMP, JPEG or PNG by its first bytes, whatever its name;
// skips the others, folders and files that cannot be read. The caller keeps the handle.
void ApplyDroppedFiles(HDROP drop);
