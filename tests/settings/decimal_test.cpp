#include <gtest/gtest.h>

#include "settings/decimal.h"

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
