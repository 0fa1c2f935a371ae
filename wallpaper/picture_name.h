// Which names from the service may name a file in the data folder. Windows-free.
#pragma once

#include <string>

// True for a plain file name that survives the file system, the recent table's HTML and the
// page's "#setwp?" anchor unchanged: 1 to 120 ASCII letters, digits, ".", "-", "_", "(" and ")",
// not starting or ending with ".", not a reserved device name (CON, NUL, COM1, LPT1, ..., with or
// without an extension), and not one of the program's own files "wall.bmp" and "custom.jpg".
bool IsSafePictureName(const std::string& name);
