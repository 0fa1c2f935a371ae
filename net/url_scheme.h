// The scheme rule for links that users hand to the program. Windows-free.
#pragma once

#include <string>

// Puts "http://" in front of url unless it begins with "http://" or "https://" exactly (compared
// case-sensitively, so "HTTP://x" becomes "http://HTTP://x").
void ApplyHttpScheme(std::string& url);
