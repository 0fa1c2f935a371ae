#include <gtest/gtest.h>

#include "browser/page_address.h"
#include "browser/split_protocol.h"

namespace {

TEST(SplitProtocol, SplitsAtTheFirstColonFollowedByTwoSlashes) {
  std::string protocol = "unchanged", rest;
  EXPECT_TRUE(SplitProtocol("app://abc?x=1", protocol, rest));
  EXPECT_EQ(protocol, "app");
  EXPECT_EQ(rest, "abc?x=1");

  EXPECT_TRUE(SplitProtocol("app://", protocol, rest));
  EXPECT_EQ(protocol, "app");
  EXPECT_EQ(rest, "");

  EXPECT_TRUE(SplitProtocol("res://C:\\Program Files\\k.exe/opcje.html", protocol, rest));
  EXPECT_EQ(protocol, "res");
  EXPECT_EQ(rest, "C:\\Program Files\\k.exe/opcje.html");
}

TEST(SplitProtocol, WithoutTwoSlashesAfterTheFirstColonTheRestIsTheWholeText) {
  const char* const kInputs[] = {"a:b", "abc", "app:/x", "app:", "", "a:b://c"};
  for (const char* input : kInputs) {
    std::string protocol = "unchanged", rest = "old";
    EXPECT_FALSE(SplitProtocol(input, protocol, rest)) << input;
    EXPECT_EQ(protocol, "unchanged") << input;
    EXPECT_EQ(rest, input) << input;
  }
}

TEST(SettingsPageAddress, EscapesWhatWouldEndOrBreakTheAddress) {
  const struct {
    const char* path;
    const char* address;
  } kCases[] = {
      {"C:\\Program Files\\k.exe", "res://C:\\Program Files\\k.exe/opcje.html"},
      {"C:\\Users\\Jan#2\\k.exe", "res://C:\\Users\\Jan%232\\k.exe/opcje.html"},
      {"D:\\C#\\100%\\k.exe", "res://D:\\C%23\\100%25\\k.exe/opcje.html"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(SettingsPageAddress(c.path), c.address);
  }
}

}  // namespace
