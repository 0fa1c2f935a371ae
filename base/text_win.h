// Text in the system's ANSI code page (paths, registry values, window texts) to and from wide
// text, for GDI+, the browser control and the page.
#pragma once

#include <string>

std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);
std::string AnsiToUtf8(const std::string& text);
