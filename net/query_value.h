// Values put into a request's query. Windows-free.
#pragma once

#include <string>
#include <string_view>

// Escapes, as %XX, only the bytes that would break a query value: control bytes and the space
// (up to 0x20), bytes from 0x7F, and "%", "&", "+", "#", "=". Every other byte goes as it is, so
// ordinary names and codes are sent byte for byte.
std::string EscapeQueryValue(std::string_view value);
