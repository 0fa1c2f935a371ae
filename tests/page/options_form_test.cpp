#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page/fake_page_actions.h"
#include "page/fake_page_document.h"
#include "page/page.h"
#include "settings/settings.h"

namespace {

using Kind = FakePageDocument::Kind;

// Fills a fresh settings page from settings, then saves it back, counting the saves.
class OptionsFormTest : public PageSessionTest {
 protected:
  void Fill() { FillOptionsPage(page_, &settings_, true); }
  void Save(bool onOptionsPage = true) {
    SaveOptionsForm(page_, &settings_, onOptionsPage, [this](const SettingsStore& saved) {
      ++saves_;
      savedText_ = saved.ToText();
    });
  }
  int saves_ = 0;
  std::string savedText_;
};

TEST_F(OptionsFormTest, AnIntervalThatIsNoNumberIsShownAndKeptAsItIs) {
  settings_.Set("CHANGE_INTERVAL", "abc");
  Fill();
  EXPECT_EQ(page_.At(L"change_interval_id").value, L"abc");
  Save();
  EXPECT_EQ(Setting("CHANGE_INTERVAL"), "abc");
  EXPECT_EQ(saves_, 1);
}

TEST_F(OptionsFormTest, TheIntervalCrossesAsUtf8) {
  settings_.Set("CHANGE_INTERVAL", "5 \xC5\xBC");  // "5 ż"
  Fill();
  EXPECT_EQ(page_.At(L"change_interval_id").value, L"5 \u017C");
  page_.At(L"change_interval_id").value = L"\u0105";  // ą
  Save();
  EXPECT_EQ(Setting("CHANGE_INTERVAL"), "\xC4\x85");
}

TEST_F(OptionsFormTest, WithAutomaticChangeOffBothFieldsAreDisabledAndStillSaved) {
  settings_.Set("AUTO_CHANGE", "NO");
  settings_.Set("LOGEDIN", "YES");
  Fill();
  EXPECT_FALSE(page_.At(L"auto_change_id").checked);
  EXPECT_TRUE(page_.At(L"change_interval_id").disabled);
  EXPECT_TRUE(page_.At(L"category_id").disabled);

  page_.At(L"change_interval_id").value = L"15";
  page_.At(L"category_id").index = 3;
  Save();
  EXPECT_EQ(Setting("CHANGE_INTERVAL"), "15");
  EXPECT_EQ(Setting("CATEGORY"), "3");
  EXPECT_EQ(Setting("AUTO_CHANGE"), "NO");
  EXPECT_EQ(savedText_, settings_.ToText());
}

TEST_F(OptionsFormTest, LoggedOutThePoolListStaysDisabledWhateverTheSwitch) {
  settings_.Set("LOGEDIN", "NO");
  settings_.Set("AUTO_CHANGE", "YES");
  settings_.Set("CATEGORY", "2");
  Fill();
  EXPECT_TRUE(page_.At(L"auto_change_id").checked);
  EXPECT_FALSE(page_.At(L"change_interval_id").disabled);
  EXPECT_TRUE(page_.At(L"category_id").disabled);
  EXPECT_EQ(page_.At(L"category_id").index, 2);
}

TEST_F(OptionsFormTest, LoggedInWithAutomaticChangeOnBothFieldsAreEnabled) {
  settings_.Set("LOGEDIN", "YES");
  settings_.Set("AUTO_CHANGE", "YES");
  Fill();
  EXPECT_FALSE(page_.At(L"change_interval_id").disabled);
  EXPECT_FALSE(page_.At(L"category_id").disabled);

  page_.At(L"auto_change_id").checked = false;
  Save();
  EXPECT_EQ(Setting("AUTO_CHANGE"), "NO");
}

TEST_F(OptionsFormTest, FillingShowsTheStoredLoginState) {
  settings_.Set("LOGEDIN", "YES");
  settings_.Set("USER", "jan");
  Fill();
  EXPECT_EQ(page_.At(L"logout_div").className, L"show");
  EXPECT_EQ(page_.At(L"login_div").className, L"hide");
  EXPECT_EQ(page_.At(L"logedin_div").html, "Zalogowano jako<b><a href='#user'> jan</a></b>");
}

TEST_F(OptionsFormTest, AFieldThatCannotBeReadLeavesItsKeyButTheStoreIsSaved) {
  settings_.Set("CATEGORY", "4");
  settings_.Set("CHANGE_INTERVAL", "30");
  page_.Remove(L"category_id");
  page_.Add(L"change_interval_id", Kind::kBlock);  // no input element of that id any more
  page_.At(L"auto_change_id").checked = true;
  Save();
  EXPECT_EQ(Setting("CATEGORY"), "4");
  EXPECT_EQ(Setting("CHANGE_INTERVAL"), "30");
  EXPECT_EQ(Setting("AUTO_CHANGE"), "YES");
  EXPECT_EQ(saves_, 1);
}

TEST_F(OptionsFormTest, AMissingElementSkipsOnlyItsOwnStepWhenFilling) {
  settings_.Set("AUTO_CHANGE", "YES");
  settings_.Set("CATEGORY", "1");
  page_.Remove(L"auto_change_id");
  Fill();
  EXPECT_FALSE(page_.At(L"change_interval_id").disabled);
  EXPECT_EQ(page_.At(L"category_id").index, 1);
  EXPECT_EQ(page_.At(L"user_div").className, L"show");
}

TEST_F(OptionsFormTest, NothingIsReadOrSavedWhileTheRecentPageIsShownOrWithoutAStore) {
  settings_.Set("CHANGE_INTERVAL", "30");
  const std::string before = settings_.ToText();
  page_.At(L"change_interval_id").value = L"99";

  Save(false);
  FillOptionsPage(page_, &settings_, false);
  FillOptionsPage(page_, nullptr, true);
  SaveOptionsForm(page_, nullptr, true, [this](const SettingsStore&) { ++saves_; });

  EXPECT_EQ(saves_, 0);
  EXPECT_EQ(settings_.ToText(), before);
  EXPECT_THAT(page_.Log(), testing::IsEmpty());
  EXPECT_EQ(page_.At(L"change_interval_id").value, L"99");
}

}  // namespace
