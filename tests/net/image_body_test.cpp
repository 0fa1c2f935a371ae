#include <gtest/gtest.h>

#include <string>

#include "net/image_body.h"

namespace {

const std::string kJpegHead("\xFF\xD8\xFF\xE0", 4);

class ImageBodyTest : public ::testing::Test {
 protected:
  ImageBody Body(std::size_t maxBytes) {
    return ImageBody(maxBytes, [this](const std::string& line) { trace += line; });
  }
  static bool Take(ImageBody& body, const std::string& bytes) {
    return body.Take(bytes.data(), bytes.size());
  }

  std::string trace;
};

TEST_F(ImageBodyTest, HoldsAtMostMaxBytes) {
  ImageBody body = Body(300);
  EXPECT_TRUE(Take(body, kJpegHead + std::string(196, 'j')));
  EXPECT_TRUE(Take(body, std::string(100, 'j')));
  EXPECT_EQ(body.Bytes().size(), 300u);
  EXPECT_FALSE(Take(body, "j"));
  EXPECT_EQ(body.Bytes().size(), 300u);
}

TEST_F(ImageBodyTest, ChecksTheSignatureOnceItIsPastTheFirst128Bytes) {
  ImageBody body = Body(100000);
  EXPECT_TRUE(Take(body, "\x89PNG\r\n\x1A\n" + std::string(120, 'p')));
  EXPECT_EQ(trace, "");
  EXPECT_TRUE(Take(body, "p"));
  EXPECT_EQ(trace, "check image\n");
  EXPECT_TRUE(Take(body, std::string(5000, 'p')));
  EXPECT_EQ(trace, "check image\n");
}

TEST_F(ImageBodyTest, RefusesAnythingElseLongerThan128Bytes) {
  ImageBody page = Body(100000);
  EXPECT_TRUE(Take(page, std::string(128, '<')));
  EXPECT_FALSE(Take(page, "<"));
  EXPECT_EQ(trace, "check image\n");

  ImageBody text = Body(100000);
  EXPECT_TRUE(Take(text, std::string(100, 't')));
  EXPECT_EQ(text.Bytes(), std::string(100, 't'));
}

}  // namespace
