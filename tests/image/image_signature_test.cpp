#include <gtest/gtest.h>

#include <string>

#include "image/image.h"

namespace {

bool Check(const std::string& bytes) {
  return HasImageSignature(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

TEST(ImageSignature, KnowsBmpJpegAndPng) {
  EXPECT_TRUE(Check("BM"));
  EXPECT_TRUE(Check("BMxxxx"));
  EXPECT_TRUE(Check("\xFF\xD8\xFF\xE0rest"));
  EXPECT_TRUE(Check(std::string("\x89PNG\r\n\x1A\n\0\0", 10)));
}

TEST(ImageSignature, RefusesOtherAndShortBeginnings) {
  EXPECT_FALSE(Check(""));
  EXPECT_FALSE(Check("B"));
  EXPECT_FALSE(Check("bm"));
  EXPECT_FALSE(Check("\xFF\xD8"));
  EXPECT_FALSE(Check("\x89PNG\r\n\x1A"));
  EXPECT_FALSE(Check("<html><body>404</body></html>"));
  EXPECT_FALSE(Check("GIF89a"));
  EXPECT_FALSE(Check(" BM"));
}

}  // namespace
