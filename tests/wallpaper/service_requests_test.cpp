#include <gtest/gtest.h>

#include "net/service_address.h"
#include "wallpaper/service_requests.h"

namespace {

SelectionRequest Request(WallpaperPool pool, bool premium = false, int category = 0) {
  return SelectionRequest{"jan", "", pool, category, premium, 1920, 1080, 4711};
}

std::string Path(const SelectionRequest& request) {
  const std::string prefix = ServiceUrl("");
  const std::string url = SelectionRequestUrl(request);
  EXPECT_EQ(url.compare(0, prefix.size(), prefix), 0) << url;
  return url.substr(prefix.size());
}

TEST(SelectionRequest, EachPoolSendsItsShowValueAndSuffix) {
  const std::string base = "/program/wybierz_tapete_v2.php?user=jan&kod_user=&pokaz=";
  EXPECT_EQ(Path(Request(WallpaperPool::Super)),
            base + "all&x=1920&y=1080&premiowane=tak&losowa=4711");
  EXPECT_EQ(Path(Request(WallpaperPool::All)), base + "all&x=1920&y=1080&losowa=4711");
  EXPECT_EQ(Path(Request(WallpaperPool::All, true)),
            base + "all&x=1920&y=1080&premiowane=tak&losowa=4711");
  EXPECT_EQ(Path(Request(WallpaperPool::FavouriteWallpapers)),
            base + "ulubione_tap&x=1920&y=1080&losowa=4711");
  EXPECT_EQ(Path(Request(WallpaperPool::FavouriteCategories)),
            base + "ulubione_kat&x=1920&y=1080&losowa=4711");
  EXPECT_EQ(Path(Request(WallpaperPool::Added, true)),
            base + "dodane_tap&x=1920&y=1080&premiowane=tak&losowa=4711");
}

TEST(SelectionRequest, PoolsAboveFourUseTheStoredCategory) {
  EXPECT_NE(Path(Request(WallpaperPool::FromSettings, false, 0))
                .find("pokaz=all&x=1920&y=1080&premiowane=tak"),
            std::string::npos);
  EXPECT_NE(Path(Request(WallpaperPool::FromSettings, false, 2))
                .find("pokaz=ulubione_tap&x=1920&y=1080&losowa"),
            std::string::npos);
  EXPECT_NE(Path(Request(WallpaperPool{5}, false, 4)).find("pokaz=dodane_tap&"), std::string::npos);
}

TEST(SelectionRequest, UnknownCategoriesDrawFromAllWallpapers) {
  for (int category : {5, -1, 255, 2147483647}) {
    EXPECT_NE(Path(Request(WallpaperPool::FromSettings, false, category))
                  .find("pokaz=all&x=1920&y=1080&losowa="),
              std::string::npos)
        << category;
  }
}

TEST(SelectionRequest, UserAndCodeAreEscapedOnlyWhereTheyWouldBreakTheQuery) {
  SelectionRequest request = Request(WallpaperPool::All);
  request.user = "jan kowalski&co";
  request.authorization = "ab+c=d";
  EXPECT_EQ(
      Path(request).rfind(
          "/program/wybierz_tapete_v2.php?user=jan%20kowalski%26co&kod_user=ab%2Bc%3Dd&pokaz=all",
          0),
      0u);
  request.user = "jan@example.com";
  request.authorization = "XYZ123";
  EXPECT_NE(Path(request).find("user=jan@example.com&kod_user=XYZ123&"), std::string::npos);
}

TEST(SelectionRequest, LongAddressesAreCutTo511Characters) {
  SelectionRequest request = Request(WallpaperPool::All);
  request.user = std::string(600, 'u');
  const std::string url = SelectionRequestUrl(request);
  EXPECT_EQ(url.size(), 511u);
  EXPECT_EQ(url.find("losowa"), std::string::npos);
}

TEST(SelectionAnswer, ReadsTagsInAnyOrder) {
  SelectionAnswer chosen;
  ASSERT_TRUE(ParseSelectionAnswer("[id:123][zdjecie:abc.jpg]", chosen));
  EXPECT_EQ(chosen.id, "123");
  EXPECT_EQ(chosen.name, "abc.jpg");
  ASSERT_TRUE(ParseSelectionAnswer("ok [zdjecie:abc.jpg] text\n[id:123] more", chosen));
  EXPECT_EQ(chosen.id, "123");
  EXPECT_EQ(chosen.name, "abc.jpg");
}

TEST(SelectionAnswer, EmptyValuesArePassedOn) {
  SelectionAnswer chosen;
  ASSERT_TRUE(ParseSelectionAnswer("[id:77][zdjecie:]", chosen));
  EXPECT_EQ(chosen.name, "");
}

TEST(SelectionAnswer, TheIdIsAnIntOrTheAnswerFails) {
  const struct {
    const char* id;
    const char* stored;  // null: the answer fails
  } kCases[] = {
      {"123", "123"},
      {"-1", "-1"},
      {"007", "7"},
      {"2147483647", "2147483647"},
      {"-2147483648", "-2147483648"},
      {"2147483648", nullptr},
      {"-2147483649", nullptr},
      {"99999999999", nullptr},
      {"", nullptr},
      {"-", nullptr},
      {"+5", nullptr},
      {" 5", nullptr},
      {"5x", nullptr},
      {"1\r\nAUTO_CHANGE=YES", nullptr},
      {"1\nCHANGE_INTERVAL=0", nullptr},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.id);
    SelectionAnswer chosen{"keep", "keep"};
    const bool read = ParseSelectionAnswer(std::string("[id:") + c.id + "][zdjecie:]", chosen);
    EXPECT_EQ(read, c.stored != nullptr);
    EXPECT_EQ(chosen.id, c.stored ? c.stored : "keep");
  }
}

TEST(SelectionAnswer, MissingOrRefusedAnswersChooseNothing) {
  SelectionAnswer chosen{"keep", "keep"};
  for (const char* answer :
       {"", "[zdjecie:a.jpg]", "[id:1]", "[id:1[zdjecie:a.jpg", "[id:1][zdjecie:a.jpg",
        "[id:1][error:Brak tapet][zdjecie:a.jpg]", "[error:x][id:1][zdjecie:a.jpg]",
        // An error tag left open before a later tag is closed by that tag's bracket.
        "[id:1][error:x [zdjecie:a.jpg]", "[ID:1][zdjecie:a.jpg]"}) {
    EXPECT_FALSE(ParseSelectionAnswer(answer, chosen)) << answer;
  }
  EXPECT_EQ(chosen.id, "keep");
  EXPECT_EQ(chosen.name, "keep");
}

TEST(SelectionAnswer, AnErrorTagWithoutABracketAfterItIsIgnored) {
  SelectionAnswer chosen;
  ASSERT_TRUE(ParseSelectionAnswer("[id:5][zdjecie:b.jpg][error:", chosen));
  EXPECT_EQ(chosen.id, "5");
  EXPECT_EQ(chosen.name, "b.jpg");
}

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

TEST(ImageRequest, NamesGoEscapedAsQueryValues) {
  const std::string url = ImageRequestUrl("5", "a b&c+\xB1.jpg");
  EXPECT_EQ(url.substr(url.find("zdjecie=")), "zdjecie=a%20b%26c%2B%B1.jpg");
}

}  // namespace
