#include <gtest/gtest.h>

#include "wallpaper/base64.h"

namespace {

TEST(Base64, MatchesTheStandardVectors) {
  EXPECT_EQ(Base64Encode(""), "");
  EXPECT_EQ(Base64Encode("f"), "Zg==");
  EXPECT_EQ(Base64Encode("fo"), "Zm8=");
  EXPECT_EQ(Base64Encode("foo"), "Zm9v");
  EXPECT_EQ(Base64Encode("foob"), "Zm9vYg==");
  EXPECT_EQ(Base64Encode("fooba"), "Zm9vYmE=");
  EXPECT_EQ(Base64Encode("foobar"), "Zm9vYmFy");
  EXPECT_EQ(Base64Encode("abc"), "YWJj");
}

TEST(Base64, UsesPlusSlashAndEncodesEveryByte) {
  EXPECT_EQ(Base64Encode("\xFB\xFF"), "+/8=");
  EXPECT_EQ(Base64Encode(std::string("\0\0\0", 3)), "AAAA");
  EXPECT_EQ(Base64Encode("http://127.0.0.1:8642/x.png"), "aHR0cDovLzEyNy4wLjAuMTo4NjQyL3gucG5n");
  const std::string longLink(1000, 'x');
  const std::string encoded = Base64Encode(longLink);
  EXPECT_EQ(encoded.size(), 1336u);
  EXPECT_EQ(encoded.find('\n'), std::string::npos);
}

}  // namespace
