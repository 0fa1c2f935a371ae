#include "base/log.h"

#include <cstdio>

#include "base/text.h"

std::string FormatLogLine(const LogTime& time, std::string_view utf8Text) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d ", time.year, time.month,
                time.day, time.hour, time.minute, time.second);
  std::string text = WideToUtf8(Utf8ToWide(utf8Text));
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return stamp + text + "\r\n";
}

bool LogIsFull(std::uint64_t logBytes, std::uint64_t lineBytes) {
  return logBytes > 0 && logBytes + lineBytes > kLogLimitBytes;
}
