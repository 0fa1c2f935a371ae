#include <gtest/gtest.h>

#include <memory>

#include "tray/copy_data_text.h"

namespace {

// A heap block of exactly these bytes, so that the sanitizer sees any read past its end.
std::unique_ptr<char[]> Block(const std::string& bytes) {
  auto block = std::make_unique<char[]>(bytes.size());
  bytes.copy(block.get(), bytes.size());
  return block;
}

TEST(CopyDataText, TextEndsAtItsZeroByte) {
  const std::string bytes("http://a/b.png\0tail", 19);
  EXPECT_EQ(CopyDataText(Block(bytes).get(), bytes.size()), "http://a/b.png");
}

TEST(CopyDataText, BlockWithoutZeroByteIsReadToItsEndOnly) {
  const std::string bytes = "http://a/b.png";
  EXPECT_EQ(CopyDataText(Block(bytes).get(), bytes.size()), bytes);
  EXPECT_EQ(CopyDataText(Block(bytes).get(), 8), "http://a");
}

TEST(CopyDataText, MissingOrEmptyBlockIsTheEmptyText) {
  EXPECT_EQ(CopyDataText(nullptr, 0), "");
  EXPECT_EQ(CopyDataText(nullptr, 40), "");
  EXPECT_EQ(CopyDataText("abc", 0), "");
  EXPECT_EQ(CopyDataText("\0abc", 4), "");
}

}  // namespace
