#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page/fake_page_actions.h"
#include "page/fake_page_document.h"
#include "page/page.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"

namespace {

using Kind = FakePageDocument::Kind;

// Fills a fresh settings page from settings, then saves it back as the program does.
class OptionsFormTest : public PageSessionTest {
 protected:
  void Fill() { FillOptionsPage(page_, settings_, true); }
  void Save(bool onOptionsPage = true) {
    onOptionsPage_ = onOptionsPage;
    SaveOptionsForm(context_);
  }
};

TEST_F(OptionsFormTest, AnIntervalThatIsNoNumberIsShownAndKeptAsItIs) {
  settings_.Set(kChangeIntervalKey, "abc");
  Fill();
  EXPECT_EQ(page_.At(L"change_interval_id").value, L"abc");
  Save();
  EXPECT_EQ(Setting(kChangeIntervalKey), "abc");
  EXPECT_EQ(actions_.saved.size(), 1u);
}

TEST_F(OptionsFormTest, TheIntervalCrossesAsUtf8) {
  settings_.Set(kChangeIntervalKey, "5 \xC5\xBC");  // "5 ż"
  Fill();
  EXPECT_EQ(page_.At(L"change_interval_id").value, L"5 \u017C");
  page_.At(L"change_interval_id").value = L"\u0105";  // ą
  Save();
  EXPECT_EQ(Setting(kChangeIntervalKey), "\xC4\x85");
}

TEST_F(OptionsFormTest, WithAutomaticChangeOffBothFieldsAreDisabledAndStillSaved) {
  settings_.Set(kAutoChangeKey, "NO");
  settings_.Set(kLoggedInKey, "YES");
  Fill();
  EXPECT_FALSE(page_.At(L"auto_change_id").checked);
  EXPECT_TRUE(page_.At(L"change_interval_id").disabled);
  EXPECT_TRUE(page_.At(L"category_id").disabled);

  page_.At(L"change_interval_id").value = L"15";
  page_.At(L"category_id").index = 3;
  Save();
  EXPECT_EQ(Setting(kChangeIntervalKey), "15");
  EXPECT_EQ(Setting(kCategoryKey), "3");
  EXPECT_EQ(Setting(kAutoChangeKey), "NO");
  EXPECT_EQ(actions_.saved.back(), settings_.ToText());
}

TEST_F(OptionsFormTest, LoggedOutThePoolListStaysDisabledWhateverTheSwitch) {
  settings_.Set(kLoggedInKey, "NO");
  settings_.Set(kAutoChangeKey, "YES");
  settings_.Set(kCategoryKey, "2");
  Fill();
  EXPECT_TRUE(page_.At(L"auto_change_id").checked);
  EXPECT_FALSE(page_.At(L"change_interval_id").disabled);
  EXPECT_TRUE(page_.At(L"category_id").disabled);
  EXPECT_EQ(page_.At(L"category_id").index, 2);
}

TEST_F(OptionsFormTest, LoggedInWithAutomaticChangeOnBothFieldsAreEnabled) {
  settings_.Set(kLoggedInKey, "YES");
  settings_.Set(kAutoChangeKey, "YES");
  Fill();
  EXPECT_FALSE(page_.At(L"change_interval_id").disabled);
  EXPECT_FALSE(page_.At(L"category_id").disabled);

  page_.At(L"auto_change_id").checked = false;
  Save();
  EXPECT_EQ(Setting(kAutoChangeKey), "NO");
}

TEST_F(OptionsFormTest, TheSeparateScreensBoxShowsTheStoredFlagAndSavesWhatTheUserTicked) {
  const struct {
    const char* stored;  // nullptr: no such line in config.dat
    bool shown;
  } cases[] = {{"YES", true}, {"NO", false}, {nullptr, false}, {"yes", false}, {"", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "missing");
    if (c.stored) {
      settings_.Set(kSeparateScreensKey, c.stored);
    } else {
      settings_.Erase(kSeparateScreensKey);
    }
    // The box starts the other way, so that only the fill can put it right.
    page_.At(L"separate_screens_id").checked = !c.shown;
    Fill();
    EXPECT_EQ(page_.At(L"separate_screens_id").checked, c.shown);
    // Enabled although the automatic change is off (the store's default): it applies to every draw.
    EXPECT_FALSE(page_.At(L"separate_screens_id").disabled);

    page_.At(L"separate_screens_id").checked = !c.shown;
    Save();
    EXPECT_EQ(Setting(kSeparateScreensKey), c.shown ? "NO" : "YES");
  }
}

TEST_F(OptionsFormTest, FillingShowsTheStoredLoginState) {
  settings_.Set(kLoggedInKey, "YES");
  settings_.Set(kUserKey, "jan");
  Fill();
  EXPECT_EQ(page_.At(L"logout_div").className, L"show");
  EXPECT_EQ(page_.At(L"login_div").className, L"hide");
  EXPECT_EQ(page_.At(L"logedin_div").html, "Zalogowano jako<b><a href='#user'> jan</a></b>");
}

TEST_F(OptionsFormTest, AFieldThatCannotBeReadLeavesItsKeyButTheStoreIsSaved) {
  settings_.Set(kCategoryKey, "4");
  settings_.Set(kChangeIntervalKey, "30");
  settings_.Set(kSeparateScreensKey, "YES");
  page_.Remove(L"category_id");
  page_.Add(L"change_interval_id", Kind::kBlock);  // no input element of that id any more
  page_.Remove(L"separate_screens_id");
  page_.At(L"auto_change_id").checked = true;
  Save();
  EXPECT_EQ(Setting(kCategoryKey), "4");
  EXPECT_EQ(Setting(kChangeIntervalKey), "30");
  EXPECT_EQ(Setting(kSeparateScreensKey), "YES");
  EXPECT_EQ(Setting(kAutoChangeKey), "YES");
  EXPECT_EQ(actions_.saved.size(), 1u);
}

TEST_F(OptionsFormTest, AMissingElementSkipsOnlyItsOwnStepWhenFilling) {
  settings_.Set(kAutoChangeKey, "YES");
  settings_.Set(kCategoryKey, "1");
  page_.Remove(L"auto_change_id");
  page_.Remove(L"separate_screens_id");
  Fill();
  EXPECT_FALSE(page_.At(L"change_interval_id").disabled);
  EXPECT_EQ(page_.At(L"category_id").index, 1);
  EXPECT_EQ(page_.At(L"user_div").className, L"show");
}

TEST_F(OptionsFormTest, NothingIsReadOrSavedWhileTheRecentPageIsShown) {
  settings_.Set(kChangeIntervalKey, "30");
  const std::string before = settings_.ToText();
  page_.At(L"change_interval_id").value = L"99";

  Save(false);
  FillOptionsPage(page_, settings_, false);

  EXPECT_THAT(actions_.saved, testing::IsEmpty());
  EXPECT_EQ(settings_.ToText(), before);
  EXPECT_THAT(page_.Log(), testing::IsEmpty());
  EXPECT_EQ(page_.At(L"change_interval_id").value, L"99");
}

}  // namespace
