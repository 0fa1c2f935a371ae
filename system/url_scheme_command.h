// The URL scheme's command line. Windows-free.
#pragma once

#include <string>

// "<path>" "%1": the quotes keep a path with spaces whole and pass the link as one argument.
std::string UrlSchemeCommand(const std::string& programPath);
