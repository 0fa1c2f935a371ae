#include "app/argument.h"

#include <cctype>
#include "base/text.h"

std::string NormaliseArgument(std::string text) {
  static const std::string kScheme = "kolorowisko:";
  size_t at = text.find(kScheme);
  if (at != std::string::npos) text.erase(at, kScheme.size());
  std::string unquoted;
  for (char c : text) {
    if (c != '"') unquoted += c;
  }
  return unquoted;
}

ArgumentKind ClassifyArgument(const std::string& text) {
  if (text.empty()) return ArgumentKind::Empty;
  for (unsigned char c : text) {
    if (std::isspace(c)) continue;
    if (!std::isdigit(c) && c != '-') return ArgumentKind::Link;
  }
  return ArgumentKind::Numeric;
}

int NumericArgumentValue(const std::string& text) { return ReadDecimal(text); }

Request RequestFromArgument(const std::string& text) {
  switch (ClassifyArgument(text)) {
    case ArgumentKind::Empty:
      return Request();
    case ArgumentKind::Numeric:
      return RequestForNumber(NumericArgumentValue(text));
    case ArgumentKind::Link:
      break;
  }
  return RequestFromLinkText(text);
}
