// Which names from the service may name a file in the data folder and the thumbnails folder.
// Windows-free.
#pragma once

#include <string>

// True for a name that is one valid file name on Windows and stays in the folder: 1 to 120 bytes
// (ANSI), no control byte and none of \ / : * ? " < > |, not "." or "..", not ending in a dot or a
// space, not a reserved device name (CON, NUL, COM1, LPT1, ..., with or without an extension), and
// not one of the program's own files: "wall.bmp", "custom.jpg", "dropped.jpg" and the temporary
// files "kol*.tmp".
// Spaces, letters beyond ASCII and other punctuation are allowed; the list finds every such name
// again, since it looks for exactly the names that this rule accepts.
bool IsSafePictureName(const std::string& name);

// The data folder's pictures that are not stored wallpapers: the last image link's picture and
// the copy of the last dropped file. Each is kept while a screen shows it (a display change
// draws the desktop again from it) and is otherwise removed at the next start.
constexpr char kCustomPictureFile[] = "custom.jpg";
constexpr char kDroppedPictureFile[] = "dropped.jpg";
