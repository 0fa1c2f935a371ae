// Text conversions that every part of the program shares: UTF-8 to and from wide text (UTF-16 on
// Windows, one code point per wchar_t elsewhere) for the texts exchanged with the settings page,
// and decimal numbers read as the runtime reads them. Windows-free.
#pragma once

#include <string>
#include <string_view>

// Malformed bytes become U+FFFD, as the system's own conversion does.
std::wstring Utf8ToWide(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string WideToUtf8(std::wstring_view text);

// text with "&", "<", ">", '"' and "'" as HTML entities, so that it stays text in an element or a
// quoted attribute.
std::string EscapeHtml(const std::string& text);

// Decimal text to int by the runtime's atoi rules: leading white space, an optional sign, digits
// up to the first other character, no digits gives 0. Out-of-range values are clamped to the int
// range, as the Windows runtime does, so that every build reads a number the same way.
int ReadDecimal(const std::string& text);

// text with the ASCII letters in lower case and every other byte as it is.
std::string LowerAscii(std::string text);
