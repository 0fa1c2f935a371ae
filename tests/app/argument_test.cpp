#include <gtest/gtest.h>

#include "app/argument.h"

namespace {

struct Case {
  const char* raw;
  const char* normalised;
  ArgumentKind kind;
  int value;  // for numeric arguments
};

class StartupArgument : public testing::TestWithParam<Case> {};

TEST_P(StartupArgument, IsNormalisedAndClassified) {
  const Case& c = GetParam();
  const std::string text = NormaliseArgument(c.raw);
  EXPECT_EQ(text, c.normalised);
  EXPECT_EQ(ClassifyArgument(text), c.kind);
  if (c.kind == ArgumentKind::Numeric) {
    EXPECT_EQ(NumericArgumentValue(text), c.value);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupArgument,
    // clang-format off
    testing::Values(Case{"kolorowisko:12345", "12345", ArgumentKind::Numeric, 12345},
                    Case{"\"kolorowisko:-1\"", "-1", ArgumentKind::Numeric, -1},
                    Case{"kolorowisko:", "", ArgumentKind::Empty, 0},
                    Case{"\"kolorowisko:\"", "", ArgumentKind::Empty, 0},
                    Case{"", "", ArgumentKind::Empty, 0},
                    Case{"Kolorowisko:5", "Kolorowisko:5", ArgumentKind::Link, 0},
                    Case{"12 34", "12 34", ArgumentKind::Numeric, 12},
                    Case{"kolorowisko:12345/", "12345/", ArgumentKind::Link, 0},
                    Case{"0", "0", ArgumentKind::Numeric, 0},
                    Case{"--5", "--5", ArgumentKind::Numeric, 0},
                    Case{"-", "-", ArgumentKind::Numeric, 0},
                    Case{" ", " ", ArgumentKind::Numeric, 0},
                    Case{"\t-5 ", "\t-5 ", ArgumentKind::Numeric, -5},
                    // Only the first prefix goes; a second one makes the text a link.
                    Case{"kolorowisko:kolorowisko:7", "kolorowisko:7", ArgumentKind::Link, 0},
                    // The prefix may stand anywhere in the text.
                    Case{"x kolorowisko:1", "x 1", ArgumentKind::Link, 0},
                    Case{"\"http://example.invalid/a b.jpg\"", "http://example.invalid/a b.jpg",
                         ArgumentKind::Link, 0},
                    Case{"kolorowisko:99999999999", "99999999999", ArgumentKind::Numeric,
                         2147483647},
                    Case{"\xC5\xBC", "\xC5\xBC", ArgumentKind::Link, 0}));
// clang-format on

// 0 differs by where it comes from: an id on the command line, the settings window from a copy.
TEST(Request, IsMadeOnceWhateverFormItArrivesIn) {
  using Kind = Request::Kind;
  EXPECT_EQ(RequestFromArgument("").kind, Kind::OpenSettings);
  EXPECT_EQ(RequestFromArgument("0").kind, Kind::Wallpaper);
  EXPECT_EQ(RequestFromHandOffNumber(0).kind, Kind::OpenSettings);
  for (const Request& request : {RequestFromArgument("12345"), RequestFromHandOffNumber(12345)}) {
    EXPECT_EQ(request.kind, Kind::Wallpaper);
    EXPECT_EQ(request.id, 12345);
  }
  for (const Request& request : {RequestFromArgument("-5"), RequestFromHandOffNumber(-5)}) {
    EXPECT_EQ(request.kind, Kind::Pool);
    EXPECT_EQ(request.pool.pool, WallpaperPool::Super);
    EXPECT_TRUE(request.pool.premium);
  }
  EXPECT_EQ(RequestFromLinkText("").kind, Kind::OpenSettings);
  for (const Request& request :
       {RequestFromArgument("http://h/a.jpg"), RequestFromLinkText("http://h/a.jpg")}) {
    EXPECT_EQ(request.kind, Kind::Link);
    EXPECT_EQ(request.link, "http://h/a.jpg");
  }
}

}  // namespace
