#include "base/text_win.h"

#include <windows.h>

#include "base/text.h"

std::wstring AnsiToWide(const std::string& text) {
  const int length =
      ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(length, L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
  return wide;
}

std::string WideToAnsi(const std::wstring& text) {
  const int length = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
  std::string narrow(length, '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &narrow[0], length,
                        nullptr, nullptr);
  return narrow;
}

std::string AnsiToUtf8(const std::string& text) { return WideToUtf8(AnsiToWide(text)); }
