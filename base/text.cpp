#include "base/text.h"

#include <cctype>
#include <climits>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendWide(std::wstring& out, char32_t c) {
  if (sizeof(wchar_t) == 2 && c > 0xFFFF) {
    c -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (c >> 10));
    out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
  } else {
    out += static_cast<wchar_t>(c);
  }
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Decodes the sequence at text[i]; advances i past it (past one byte of a malformed sequence
// and past the bytes that belong to it, as far as they go).
char32_t DecodeUtf8(std::string_view text, size_t& i) {
  const unsigned char lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  size_t length;
  char32_t c;
  if (lead >= 0xC2 && lead < 0xE0) {
    length = 2, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead < 0xF0) {
    length = 3, c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead < 0xF5) {
    length = 4, c = lead & 0x07;
  } else {
    return kReplacement;
  }
  for (size_t n = 1; n < length; ++n) {
    if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      return kReplacement;
    }
    c = (c << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
  }
  const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
  return overlong || IsSurrogate(c) || c > 0x10FFFF ? kReplacement : c;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view text) {
  std::wstring out;
  for (size_t i = 0; i < text.size();) AppendWide(out, DecodeUtf8(text, i));
  return out;
}

std::string WideToUtf8(std::wstring_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = static_cast<char32_t>(text[i]);
    if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() &&
        static_cast<char32_t>(text[i + 1]) >= 0xDC00 &&
        static_cast<char32_t>(text[i + 1]) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
    } else if (IsSurrogate(c) || c > 0x10FFFF) {
      c = kReplacement;
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

int ReadDecimal(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;  // far enough to know it clamps
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

std::string EscapeHtml(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}
