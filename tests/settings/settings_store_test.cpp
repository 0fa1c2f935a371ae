#include <gtest/gtest.h>

#include "settings/settings.h"
#include "settings/settings_snapshots.h"

namespace {

constexpr char kDefaultsText[] =
    "AUTORIZATION=\r\nAUTO_CHANGE=NO\r\nAUTO_START=YES\r\nCATEGORY=0\r\nCHANGE_INTERVAL=10\r\n"
    "CURRENT_ID=-1\r\nLOGEDIN=NO\r\nPASSWORD=\r\nSAVE=NO\r\nUSER=\r\n";

TEST(SettingsStore, DefaultsAreWrittenInUnsignedByteOrderWithCrLf) {
  EXPECT_EQ(SettingsStore().ToText(), kDefaultsText);
}

TEST(SettingsStore, EmptyTextKeepsEveryDefault) {
  SettingsStore store;
  store.ReadText("");
  EXPECT_EQ(store.ToText(), kDefaultsText);
}

TEST(SettingsStore, ValueKindsRoundTrip) {
  SettingsStore store;
  store.SetInt("CHANGE_INTERVAL", -2147483647 - 1);
  store.SetFlag("AUTO_CHANGE", true);
  store.SetFlag("LOGEDIN", false);
  store.Set("USER", "jan kowalski=a&b");
  store.Set("PASSWORD", "");

  SettingsStore reread;
  reread.ReadText(store.ToText());
  int interval = 0;
  bool autoChange = false, loggedIn = true;
  std::string user, password = "x";
  ASSERT_TRUE(reread.GetInt("CHANGE_INTERVAL", interval));
  ASSERT_TRUE(reread.GetFlag("AUTO_CHANGE", autoChange));
  ASSERT_TRUE(reread.GetFlag("LOGEDIN", loggedIn));
  ASSERT_TRUE(reread.GetString("USER", user));
  ASSERT_TRUE(reread.GetString("PASSWORD", password));
  EXPECT_EQ(interval, -2147483647 - 1);
  EXPECT_TRUE(autoChange);
  EXPECT_FALSE(loggedIn);
  EXPECT_EQ(user, "jan kowalski=a&b");
  EXPECT_EQ(password, "");
  EXPECT_EQ(reread.ToText(), store.ToText());
}

TEST(SettingsStore, NothingSetWritesALineOfItsOwn) {
  const struct {
    const char* key;
    const char* value;
  } kRefused[] = {
      {"CURRENT_ID", "1\r\nAUTORIZATION=stolen"},
      {"CURRENT_ID", "1\nAUTO_CHANGE=YES"},
      {"USER", "a\rCHANGE_INTERVAL=0"},
      {"USER\nAUTO_CHANGE", "YES"},
      {"AUTO_CHANGE=YES\r\nX", "1"},
  };
  for (const auto& c : kRefused) {
    SCOPED_TRACE(c.value);
    SettingsStore store;
    store.Set(c.key, c.value);
    EXPECT_EQ(store.ToText(), kDefaultsText);
  }
}

TEST(SettingsStore, ReadsValuesAsTheirKindsDo) {
  SettingsStore store;
  store.ReadText("CHANGE_INTERVAL=abc\nAUTO_CHANGE=yes\nUSER=a=b\nCATEGORY= 12x\n");
  int interval = 99, category = 0;
  bool autoChange = true;
  std::string user;
  store.GetInt("CHANGE_INTERVAL", interval);
  store.GetFlag("AUTO_CHANGE", autoChange);
  store.GetString("USER", user);
  store.GetInt("CATEGORY", category);
  EXPECT_EQ(interval, 0);
  EXPECT_FALSE(autoChange);  // only "YES" is true
  EXPECT_EQ(user, "a=b");
  EXPECT_EQ(category, 12);
}

TEST(SettingsStore, MissingKeyLeavesTheFallback) {
  SettingsStore store;
  int number = 7;
  bool flag = true;
  std::string text = "kept";
  EXPECT_FALSE(store.GetInt("CURRENT_NAME", number));
  EXPECT_FALSE(store.GetFlag("CURRENT_NAME", flag));
  EXPECT_FALSE(store.GetString("CURRENT_NAME", text));
  EXPECT_EQ(number, 7);
  EXPECT_TRUE(flag);
  EXPECT_EQ(text, "kept");
}

TEST(SettingsStore, UnknownAndEmptyKeysAreKeptInOrder) {
  SettingsStore store;
  store.ReadText("FOO=1\r\n=x\r\n");
  const std::string text = store.ToText();
  EXPECT_EQ(text.rfind("=x\r\nAUTORIZATION=", 0), 0u) << text;
  EXPECT_NE(text.find("CURRENT_ID=-1\r\nFOO=1\r\nLOGEDIN=NO\r\n"), std::string::npos) << text;
}

TEST(SettingsStore, LinesWithoutEqualsAreSkippedAndKeysAreNotTrimmed) {
  SettingsStore store;
  store.ReadText("garbage\n\nUSER =x\n USER=y\n");
  std::string user = "unchanged";
  store.GetString("USER", user);
  EXPECT_EQ(user, "");
  std::string spaced;
  EXPECT_TRUE(store.GetString("USER ", spaced));
  EXPECT_EQ(spaced, "x");
  EXPECT_TRUE(store.GetString(" USER", spaced));
  EXPECT_EQ(spaced, "y");
  EXPECT_EQ(store.ToText().find("garbage"), std::string::npos);
}

TEST(SettingsStore, LfOnlyReadsLikeCrLfAndTheLastLineNeedsNoEnd) {
  SettingsStore lf, crlf;
  lf.ReadText("USER=jan\nCATEGORY=3\nSAVE=YES");
  crlf.ReadText("USER=jan\r\nCATEGORY=3\r\nSAVE=YES\r\n");
  EXPECT_EQ(lf.ToText(), crlf.ToText());
  std::string user;
  lf.GetString("USER", user);
  EXPECT_EQ(user, "jan");
}

TEST(SettingsStore, LaterLineWinsAndBytesAboveAsciiSortAfterIt) {
  SettingsStore store;
  store.ReadText("USER=first\nUSER=second\n\xC5\xBC=pl\nZ=z\n");
  std::string user;
  store.GetString("USER", user);
  EXPECT_EQ(user, "second");
  const std::string text = store.ToText();
  EXPECT_LT(text.find("Z=z"), text.find("\xC5\xBC=pl"));
}

TEST(SettingsSnapshots, TheCodeGoesWithRequestsOnlyWhenSavedAndAMissingPoolIsAll) {
  SettingsStore store;
  store.Set("USER", "jan");
  store.Set("AUTORIZATION", "abc");
  EXPECT_EQ(ReadSelectionSettings(store).authorization, "");
  store.SetFlag("SAVE", true);
  EXPECT_EQ(ReadSelectionSettings(store).authorization, "abc");
  EXPECT_EQ(ReadSelectionSettings(store).category, 0);
  store.Erase("CATEGORY");
  EXPECT_EQ(ReadSelectionSettings(store).category, -1);
  EXPECT_EQ(ReadSelectionSettings(store).user, "jan");
}

}  // namespace
