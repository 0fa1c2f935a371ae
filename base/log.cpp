#include "base/log.h"

#include <cstdio>

#include "base/text.h"

std::string FormatLogLine(const LogTime& time, std::string_view utf8Text) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d ", time.year, time.month,
                time.day, time.hour, time.minute, time.second);
  std::string text = WideToUtf8(Utf8ToWide(utf8Text));
  if (text.size() > kMaxLogTextBytes) {
    std::size_t end = kMaxLogTextBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text.resize(end);
    text += " [...]";
  }
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return stamp + text + "\r\n";
}

bool LogIsFull(std::uint64_t logBytes, std::uint64_t lineBytes) {
  return logBytes > 0 && logBytes + lineBytes > kLogLimitBytes;
}
