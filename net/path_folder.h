// The folder part of a file path. Windows-free.
#pragma once

#include <string>

// path up to and including its last "\", "/" or drive colon ("C:\data\a.jpg" gives "C:\data\");
// "." for a bare file name.
std::string FolderOf(const std::string& path);
