// Text put into addresses: escaped query values and local paths as the path of a file or res
// address, and query values read back. Windows-free.
#pragma once

#include <string>
#include <string_view>

// Each byte for which escaped(byte) holds as %XX (upper-case hexadecimal), every other as it is.
std::string EscapeBytes(std::string_view value, bool (*escaped)(unsigned char));
// A local path as the path of a file or res address: "#" would start a fragment, and "%" an
// escape, so both are escaped.
std::string FileAddressPath(std::string_view path);
// Escapes, as %XX, only the bytes that would break a query value: control bytes and the space
// (up to 0x20), bytes from 0x7F, and "%", "&", "+", "#", "=". Every other byte goes as it is, so
// ordinary names and codes are sent byte for byte.
std::string EscapeQueryValue(std::string_view value);
// Undoes that escaping: each "%" followed by two hexadecimal digits becomes its byte; any other
// "%" stays as it is.
std::string UnescapeQueryValue(std::string_view value);
