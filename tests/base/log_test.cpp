#include <gtest/gtest.h>

#include "base/log.h"

namespace {

TEST(LogLine, IsOneLineOfUtf8AfterTheLocalTime) {
  const LogTime time{2026, 3, 4, 5, 6, 7};
  const struct {
    const char* name;
    const char* text;
    const char* line;
  } cases[] = {
      {"plain", "started", "2026-03-04 05:06:07 started\r\n"},
      {"Polish",
       "B\xC5\x82\xC4\x85"
       "d",
       "2026-03-04 05:06:07 B\xC5\x82\xC4\x85"
       "d\r\n"},
      {"line breaks and tabs", "a\r\nb\tc\x7F", "2026-03-04 05:06:07 a  b c \r\n"},
      {"not UTF-8", "caf\xE9", "2026-03-04 05:06:07 caf\xEF\xBF\xBD\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FormatLogLine(time, c.text), c.line);
  }
}

TEST(LogLimit, ALineThatWouldPassTheLimitStartsANewFile) {
  const struct {
    std::uint64_t log;
    std::uint64_t line;
    bool full;
  } cases[] = {
      {0, kLogLimitBytes + 1, false},
      {kLogLimitBytes - 10, 10, false},
      {kLogLimitBytes - 10, 11, true},
      {1, kLogLimitBytes, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.log << " + " << c.line);
    EXPECT_EQ(LogIsFull(c.log, c.line), c.full);
  }
}

}  // namespace
