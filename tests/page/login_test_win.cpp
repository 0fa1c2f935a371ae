// The login against the stand-in service, through the program's own transfer, message box and
// config.dat.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "base/app_paths_win.h"
#include "base/log.h"
#include "base/text.h"
#include "net/net.h"
#include "net/service_address.h"
#include "page/fake_page_document.h"
#include "page/page.h"
#include "page/page_actions_win.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder_win.h"
#include "support/user_state_win.h"

namespace {

constexpr char kNoAnswer[] =
    "B\xC5\x82\xC4\x85"
    "d komunikacji z serwerem!";
constexpr char kUnexpected[] = "Niespodziewana odpowied\xC5\xBA z serwera!";
constexpr char kFieldsEmpty[] = "Wpisz login i has\xC5\x82o!";

// Every byte as %XX, so that any text reaches the stand-in's control request whole.
std::string Encoded(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) out += {'%', kHex[c >> 4], kHex[c & 0xF]};
  return out;
}

class ServiceLogin : public ::testing::Test {
 protected:
  ServiceLogin() { Control("reset"); }
  ~ServiceLogin() override { Control("reset"); }

  static void Control(const std::string& query) {
    FetchToString(ServiceUrl("/__control?" + query));
  }
  static void AnswerLoginWith(const std::string& body) {
    Control("fault=body&scope=login&content_type=application%2Fjson&text=" + Encoded(body));
  }

  // Types the fields (UTF-8) and clicks "zaloguj".
  void LogInAs(const std::string& login, const std::string& password) {
    page_.At(L"user_name_id").value = Utf8ToWide(login);
    page_.At(L"user_code_id").value = Utf8ToWide(password);
    boxes_.Clear();
    LogIn(context_);
  }
  std::string Saved(const char* key) {
    SettingsStore saved;
    saved.ReadText(ReadFileBytes(ConfigFilePath()));
    std::string value;
    saved.GetString(key, value);
    return value;
  }
  // The one box of a failed login, or "" when there was none.
  std::string Box() {
    if (boxes_.Boxes().empty()) return "";
    EXPECT_EQ(boxes_.Boxes().size(), 1u) << boxes_.Describe();
    const RecordedBox& box = boxes_.Boxes()[0];
    EXPECT_EQ(box.caption, L"Logowanie");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONERROR));
    return "box: " + WideToUtf8(box.text);
  }

  UserStateGuard userState_;
  MessageBoxRecorder boxes_;
  FakePageDocument page_ = FakePageDocument::OptionsPage();
  SettingsStore settings_;
  PageState state_;
  bool onOptionsPage_ = true;
  ProgramPageActions actions_{nullptr};
  PageContext context_{page_, settings_, state_, onOptionsPage_, actions_, L"res://C:\\k.exe/"};
};

TEST_F(ServiceLogin, TheServicesAnswersDecideTheLogin) {
  const struct {
    const char* name;
    const char* answer;  // the stand-in's own when null
    const char* login;
    const char* password;
    bool loggedIn;
    std::string box;
    const char* code;
  } cases[] = {
      {"account", nullptr, "jan", "tapeta123", true, "", "8c1f2e9a5b7d"},
      {"Polish letters and escaping", nullptr, "\xC5\x81ucja",
       "\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87"
       "2024",
       true, "", "3e7d0a4c9f1b"},
      {"fields left as their placeholders", nullptr, "Tw\xC3\xB3j login u\xC5\xBCytkownika",
       "Has\xC5\x82o", false, std::string("box: ") + kFieldsEmpty, nullptr},
      {"no code", R"({"logowanie": true})", "jan", "x", true, "", ""},
      {"code a number", R"({"logowanie": true, "autoryzacja": 5})", "jan", "x", false,
       std::string("box: ") + kUnexpected, nullptr},
      {"flag a string", R"({"logowanie": "true"})", "jan", "x", false,
       std::string("box: ") + kUnexpected, nullptr},
      {"refused in Polish", "{\"logowanie\": false, \"odp\": \"Konto \xC5\xBC\xC3\xB3\xC5\x82te\"}",
       "jan", "x", false, "box: Konto \xC5\xBC\xC3\xB3\xC5\x82te", nullptr},
      {"not an object", "[true]", "jan", "x", false, "box: ", nullptr},
      {"an HTML page",
       "<html><body>B\xC5\x82\xC4\x85"
       "d 500</body></html>",
       "jan", "x", false, std::string("box: ") + kUnexpected, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LogOut(context_);
    Control("reset");
    if (c.answer) AnswerLoginWith(c.answer);
    LogInAs(c.login, c.password);
    EXPECT_EQ(state_.loggedIn, c.loggedIn);
    EXPECT_EQ(Box(), c.box);
    EXPECT_EQ(Saved("LOGEDIN"), c.loggedIn ? "YES" : "NO");
    if (!c.loggedIn) continue;
    EXPECT_EQ(Saved("USER"), c.login);
    EXPECT_EQ(Saved("PASSWORD"), "");
    EXPECT_EQ(Saved("AUTORIZATION"), c.code);
  }
}

TEST_F(ServiceLogin, NoAnswerAfterALoginAndALogoutIsACommunicationError) {
  LogInAs("jan", "tapeta123");
  ASSERT_TRUE(state_.loggedIn);
  LogOut(context_);
  Control("fault=empty&scope=login");
  LogInAs("jan", "tapeta123");
  EXPECT_FALSE(state_.loggedIn);
  EXPECT_EQ(state_.authorization, "");
  EXPECT_EQ(Box(), std::string("box: ") + kNoAnswer);
  EXPECT_EQ(Saved("LOGEDIN"), "NO");
  EXPECT_EQ(Saved("USER"), "");
}

TEST_F(ServiceLogin, TheLogNeverHoldsThePasswordOrTheCode) {
  LogInAs("jan", "tapeta123");
  ASSERT_TRUE(state_.loggedIn);
  // A draw from the account's pool sends the code along; the service refuses it.
  AppSettings().Load(ConfigFilePath());
  AppSettings().Set(kSaveKey, "YES");
  Control("fault=error&text=" + Encoded("Brak tapet"));
  actions_.ChangeWallpaper(WallpaperPool::FavouriteWallpapers, false);

  const std::string log = ReadFileBytes(LogFilePath());
  EXPECT_NE(log.find("change (page) pool 2: failed, service error: \"Brak tapet\""),
            std::string::npos)
      << log;
  EXPECT_EQ(log.find("tapeta123"), std::string::npos) << log;
  EXPECT_EQ(log.find("8c1f2e9a5b7d"), std::string::npos) << log;
}

}  // namespace
