#include <gtest/gtest.h>

#include <string>

#include "base/text.h"
#include "net/service_address.h"
#include "page/fake_page_actions.h"
#include "page/fake_page_document.h"
#include "page/page.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"

namespace {

constexpr char kNoAnswer[] =
    "B\xC5\x82\xC4\x85"
    "d komunikacji z serwerem!";
constexpr char kUnexpected[] = "Niespodziewana odpowied\xC5\xBA z serwera!";

TEST(LoginAnswer, IsReadStrictlyAndMembersMustHaveTheirTypes) {
  const struct {
    const char* body;
    bool loggedIn;
    const char* authorization;
    const char* message;
  } cases[] = {
      {"", false, "", kNoAnswer},
      {R"({"logowanie": true})", true, "", ""},
      {" \r\n{\"logowanie\": true, \"autoryzacja\": \"8c1f\", \"x\": [1]}\n", true, "8c1f", ""},
      {R"({"logowanie": true, "autoryzacja": 5})", false, "", kUnexpected},
      {R"({"logowanie": "true"})", false, "", kUnexpected},
      {R"({"odp": "Zaloguj", "logowanie": 1})", false, "", kUnexpected},
      {R"({"logowanie": false, "odp": "Konto \u017c\u00f3\u0142te"})", false, "",
       "Konto \xC5\xBC\xC3\xB3\xC5\x82te"},
      {R"({"logowanie": false, "odp": 7})", false, "", ""},
      {R"([{"logowanie": true}])", false, "", ""},
      {R"("logowanie")", false, "", ""},
      {R"({"logowanie": true} x)", false, "", kUnexpected},
      {"<html><body>500 Internal Server Error</body></html>", false, "", kUnexpected},
      {"{\"logowanie\": true, \"autoryzacja\": \"\xC3\x28\"}", false, "", kUnexpected},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    PageState state{true, "old", "old"};
    ReadLoginAnswer(c.body, state);
    EXPECT_EQ(state.loggedIn, c.loggedIn);
    EXPECT_EQ(state.authorization, c.authorization);
    EXPECT_EQ(state.message, c.message);
  }
}

TEST(LoginRequest, SendsLoginAndPasswordAsQueryValues) {
  EXPECT_EQ(LoginRequestUrl("jan", "tapeta123"),
            ServiceUrl("/program/logowanie.php?login=jan&haslo=tapeta123"));
  // Whole, however they are written.
  EXPECT_EQ(LoginRequestUrl("\xC5\x81ucja", "a&b#c d=%"),
            ServiceUrl("/program/logowanie.php?login=%C5%81ucja&haslo=a%26b%23c%20d%3D%25"));
}

// The settings page as loaded, with the stored values filled in.
class Login : public PageSessionTest {
 protected:
  Login() { FillOptionsPage(page_, settings_, true); }
  void Type(const std::wstring& login, const std::wstring& password) {
    page_.At(L"user_name_id").value = login;
    page_.At(L"user_code_id").value = password;
  }
};

TEST_F(Login, AcceptedLoginKeepsTheAccountButNotThePassword) {
  Type(L"jan", L"tapeta123");
  actions_.loginAnswer = R"({"logowanie": true, "autoryzacja": "8c1f2e9a5b7d"})";
  LogIn(context_);
  EXPECT_EQ(actions_.done,
            std::vector<std::string>{"fetch " + LoginRequestUrl("jan", "tapeta123")});
  EXPECT_EQ(page_.At(L"logout_div").className, L"show");
  EXPECT_EQ(page_.At(L"logedin_div").html, "Zalogowano jako<b><a href='#user'> jan</a></b>");
  EXPECT_EQ(Setting(kUserKey), "jan");
  EXPECT_EQ(Setting(kPasswordKey), "");
  EXPECT_EQ(Setting(kAuthorizationKey), "8c1f2e9a5b7d");
  EXPECT_EQ(Setting(kLoggedInKey), "YES");
  // The form first, then the account.
  ASSERT_EQ(actions_.saved.size(), 2u);
  EXPECT_EQ(actions_.saved[1], settings_.ToText());

  LogOut(context_);
  for (const char* key : {kUserKey, kPasswordKey, kAuthorizationKey})
    EXPECT_EQ(Setting(key), "") << key;
  EXPECT_EQ(Setting(kLoggedInKey), "NO");
  EXPECT_EQ(page_.At(L"login_div").className, L"show");
  EXPECT_EQ(actions_.saved.size(), 3u);
}

TEST_F(Login, RefusedOrUnusableLoginShowsWhyAndChangesNothing) {
  const struct {
    const char* answer;
    std::string box;
  } cases[] = {
      {R"({"logowanie": false, "odp": "B\u0142\u0119dny login"})",
       "box B\xC5\x82\xC4\x99"
       "dny login"},
      // A code that the settings cannot keep would leave the account's pools failing unseen.
      {R"({"logowanie": true, "autoryzacja": "8c1f\n2e9a"})", std::string("box ") + kUnexpected},
  };
  // A login saves the form first; the stored flag it holds keeps that save from adding a key.
  settings_.Set(kSeparateScreensKey, "NO");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    Type(L"jan", L"zle");
    actions_.loginAnswer = c.answer;
    const std::string before = settings_.ToText();
    LogIn(context_);
    EXPECT_EQ(actions_.done.back(), c.box);
    EXPECT_FALSE(state_.loggedIn);
    EXPECT_EQ(settings_.ToText(), before);
    EXPECT_EQ(page_.At(L"logout_div").className, L"hide");
  }
}

TEST_F(Login, EmptyFieldsOrTheirHintsAreToldToTheUserWithoutARequest) {
  const std::wstring loginHint = L"Tw\u00F3j login u\u017Cytkownika", passwordHint = L"Has\u0142o";
  const struct {
    std::wstring login, password;
  } cases[] = {{L"jan", L""},
               {L"", L"tapeta123"},
               {loginHint, passwordHint},
               {L"jan", passwordHint},
               {loginHint, L"tapeta123"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.login + L" / " + c.password));
    actions_.done.clear();
    actions_.saved.clear();
    Type(c.login, c.password);
    LogIn(context_);
    EXPECT_EQ(actions_.done, std::vector<std::string>{"box Wpisz login i has\xC5\x82o!"});
    EXPECT_EQ(actions_.saved.size(), 1u);
  }
}

TEST_F(Login, ThePoolListFollowsTheLoginAsTheSwitchAllows) {
  actions_.loginAnswer = R"({"logowanie": true, "autoryzacja": "8c1f"})";
  for (const bool autoChange : {true, false}) {
    SCOPED_TRACE(autoChange);
    page_.At(L"auto_change_id").checked = autoChange;
    Type(L"jan", L"tapeta123");
    LogIn(context_);
    EXPECT_EQ(page_.At(L"category_id").disabled, !autoChange);
    LogOut(context_);
    EXPECT_TRUE(page_.At(L"category_id").disabled);
  }
}

TEST_F(Login, AFailedAttemptAfterALoginDoesNotCountAsOne) {
  Type(L"jan", L"tapeta123");
  actions_.loginAnswer = R"({"logowanie": true, "autoryzacja": "8c1f"})";
  LogIn(context_);
  LogOut(context_);
  actions_.loginAnswer = "";
  LogIn(context_);
  EXPECT_FALSE(state_.loggedIn);
  EXPECT_EQ(state_.authorization, "");
  EXPECT_EQ(actions_.done.back(), std::string("box ") + kNoAnswer);
  EXPECT_EQ(Setting(kLoggedInKey), "NO");
}

}  // namespace
