#include <gtest/gtest.h>

#include "base/text.h"

namespace {

TEST(Utf8, PolishLettersRoundTrip) {
  const std::string utf8 = "Zalogowano jako \xC5\xBC\xC3\xB3\xC5\x82w";  // żółw
  const std::wstring wide = Utf8ToWide(utf8);
  EXPECT_EQ(wide, L"Zalogowano jako \u017C\u00F3\u0142w");
  EXPECT_EQ(WideToUtf8(wide), utf8);
}

TEST(Utf8, CharactersBeyondTheBasicPlaneRoundTrip) {
  const std::string utf8 = "\xF0\x9F\x96\xBC";  // U+1F5BC, a framed picture
  EXPECT_EQ(WideToUtf8(Utf8ToWide(utf8)), utf8);
  EXPECT_EQ(Utf8ToWide(utf8).size(), sizeof(wchar_t) == 2 ? 2u : 1u);
}

TEST(Utf8, MalformedBytesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf8ToWide("a\xFF"
                       "b"),
            L"a\uFFFDb");
  EXPECT_EQ(Utf8ToWide("\xC5"), L"\uFFFD");          // cut short at the end
  EXPECT_EQ(Utf8ToWide("\xC5x"), L"\uFFFDx");        // cut short by another character
  EXPECT_EQ(Utf8ToWide("\xE0\x80\xAF"), L"\uFFFD");  // overlong
  EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), L"\uFFFD");  // a surrogate encoded
  EXPECT_EQ(WideToUtf8(std::wstring(1, wchar_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Utf8, EmbeddedZerosAreKept) {
  const std::string utf8("a\0b", 3);
  EXPECT_EQ(Utf8ToWide(utf8), std::wstring(L"a\0b", 3));
  EXPECT_EQ(WideToUtf8(std::wstring(L"a\0b", 3)), utf8);
}

}  // namespace

TEST(ReadDecimal, FollowsAtoiRules) {
  EXPECT_EQ(ReadDecimal("10"), 10);
  EXPECT_EQ(ReadDecimal("  \t-42abc"), -42);
  EXPECT_EQ(ReadDecimal("+7"), 7);
  EXPECT_EQ(ReadDecimal("12 34"), 12);
  EXPECT_EQ(ReadDecimal("abc"), 0);
  EXPECT_EQ(ReadDecimal(""), 0);
  EXPECT_EQ(ReadDecimal("-"), 0);
  EXPECT_EQ(ReadDecimal("--5"), 0);
}

TEST(ReadDecimal, ClampsOutOfRangeValues) {
  EXPECT_EQ(ReadDecimal("2147483647"), 2147483647);
  EXPECT_EQ(ReadDecimal("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ReadDecimal("2147483648"), 2147483647);
  EXPECT_EQ(ReadDecimal("-99999999999999999999999"), -2147483647 - 1);
}
