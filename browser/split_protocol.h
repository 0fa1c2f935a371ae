// Splits an address of the form protocol://rest, as the browser's URL translation needs it.
#pragma once

#include <string>

// True, with protocol and rest (after the "//", possibly empty), when the first ":" of url is
// followed by "//". Otherwise false: rest is the whole url and protocol is left as it was.
bool SplitProtocol(const std::string& url, std::string& protocol, std::string& rest);
