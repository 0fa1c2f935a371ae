#include <gtest/gtest.h>

#include <string>

#include "net/image_signature.h"

TEST(HasImageSignature, RecognisesBmpJpegAndPngByTheirFirstBytes) {
  EXPECT_TRUE(HasImageSignature("BM"));
  EXPECT_TRUE(HasImageSignature(std::string("BM\0\0\0\0", 6)));
  EXPECT_TRUE(HasImageSignature("\xFF\xD8\xFF"));
  EXPECT_TRUE(HasImageSignature("\xFF\xD8\xFF\xE0 JFIF"));
  EXPECT_TRUE(HasImageSignature("\x89PNG\r\n\x1A\n"));
  EXPECT_TRUE(HasImageSignature(std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)));
}

TEST(HasImageSignature, RejectsOtherAndCutShortBeginnings) {
  EXPECT_FALSE(HasImageSignature(""));
  EXPECT_FALSE(HasImageSignature("B"));
  EXPECT_FALSE(HasImageSignature("bm"));
  EXPECT_FALSE(HasImageSignature("\xFF\xD8"));
  EXPECT_FALSE(HasImageSignature("\xFF\xD9\xFF"));
  EXPECT_FALSE(HasImageSignature("\x89PNG\r\n\x1A"));
  EXPECT_FALSE(HasImageSignature("\x89PNG\n\r\x1A\n"));
  EXPECT_FALSE(HasImageSignature("GIF89a"));
  EXPECT_FALSE(HasImageSignature("<!DOCTYPE html><html>"));
  EXPECT_FALSE(HasImageSignature(" BM"));
}
