// The bottom layer: what every part of the program shares and that belongs to none of them.
//
//   text.h                 UTF-8 and wide text, decimal numbers read as atoi does
//   path.h                 the path convention and JoinPath
//   address_text.h         query values and local paths escaped for addresses, and read back
//   seam.h                 how tests replace a dependency
//   scoped_win.h           move-only owners of Windows handles
//   text_win.h             ANSI (the system code page) text to and from wide and UTF-8 text
//   whole_file_win.h       files written whole or not at all, read whole
//   registry_win.h         keys and string values under HKEY_CURRENT_USER
//   app_paths_win.h        AppFolder and its files, the program's own path and module
//   user_interaction_win.h message boxes and web pages, through seams
//   log.h                  the diagnostics log: one call writes a line
#pragma once

#include "base/path.h"
#include "base/seam.h"
#include "base/text.h"
