// UTF-8 to and from wide text (UTF-16 on Windows, one code point per wchar_t elsewhere), for
// the texts exchanged with the settings page. Windows-free.
#pragma once

#include <string>
#include <string_view>

// Malformed bytes become U+FFFD, as the system's own conversion does.
std::wstring Utf8ToWide(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string WideToUtf8(std::wstring_view text);
