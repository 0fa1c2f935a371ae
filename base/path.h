// File paths, in one convention: a folder is named without a trailing backslash ("C:\data"),
// except a root ("C:\"), and a file in it is JoinPath(folder, name). Windows-free.
#pragma once

#include <string>

// folder + "\" + name; no second separator when folder already ends with one (a root). Empty
// when folder is: a folder that could not be found is no place for a file, and "\" + name would
// name one at the root of the current drive.
std::string JoinPath(const std::string& folder, const std::string& name);

// The folder that holds path: up to its last "\" or "/" ("C:\data\a.jpg" gives "C:\data"), a
// root with its separator ("C:\a.jpg" gives "C:\"), the drive of a drive-relative path ("C:a.jpg"
// gives "C:"), "." for a bare file name.
std::string FolderOf(const std::string& path);
