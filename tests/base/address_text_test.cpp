#include <gtest/gtest.h>

#include <string>

#include "base/address_text.h"

TEST(QueryValue, OrdinaryNamesGoByteForByte) {
  EXPECT_EQ(EscapeQueryValue("jan_kowalski-1.2"), "jan_kowalski-1.2");
  EXPECT_EQ(EscapeQueryValue("jan@example.com"), "jan@example.com");
  EXPECT_EQ(EscapeQueryValue("a/b?c;d'e*(~)!$,:"), "a/b?c;d'e*(~)!$,:");
  EXPECT_EQ(EscapeQueryValue(""), "");
}

TEST(QueryValue, BytesThatBreakAValueAreEscaped) {
  EXPECT_EQ(EscapeQueryValue("a&b c"), "a%26b%20c");
  EXPECT_EQ(EscapeQueryValue("100%+#x=y"), "100%25%2B%23x%3Dy");
  EXPECT_EQ(EscapeQueryValue(std::string("\0\t\x7F", 3)), "%00%09%7F");
  EXPECT_EQ(EscapeQueryValue("\xC5\xBC"), "%C5%BC");
}

TEST(QueryValue, UnescapingGivesBackEveryByteAndLeavesAStrayPercentAlone) {
  std::string everyByte;
  for (int byte = 0; byte < 256; ++byte) everyByte += static_cast<char>(byte);
  EXPECT_EQ(UnescapeQueryValue(EscapeQueryValue(everyByte)), everyByte);
  EXPECT_EQ(UnescapeQueryValue("%c5%BCx"), "\xC5\xBCx");
  for (const char* stray : {"%", "a%4", "%G1", "%4G", "100%"}) {
    EXPECT_EQ(UnescapeQueryValue(stray), stray);
  }
  EXPECT_EQ(UnescapeQueryValue("%%41"), "%A");
}
