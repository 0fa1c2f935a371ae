// The account login: the request, the reading of its answer, and what the page and the settings
// keep of it.
#include <nlohmann/json.hpp>

#include <exception>
#include <string>

#include "base/text.h"
#include "net/service_address.h"
#include "page/page.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"

namespace {

// The sources are UTF-8, as the page's texts are.
constexpr char kNoAnswer[] = "Błąd komunikacji z serwerem!";
constexpr char kUnexpectedAnswer[] = "Niespodziewana odpowiedź z serwera!";
constexpr char kFieldsEmpty[] = "Wpisz login i hasło!";
// The page's hints are the fields' values while nothing is typed in them.
constexpr char kLoginHint[] = "Twój login użytkownika";
constexpr char kPasswordHint[] = "Hasło";

std::string Field(PageDocument& page, const wchar_t* id) {
  std::wstring value;
  return page.GetInputValue(id, value) ? WideToUtf8(value) : std::string();
}

// A field that shows its hint holds nothing the user typed.
bool IsEmptyField(const std::string& value, const char* hint) {
  return value.empty() || value == hint;
}

// The account as the settings keep it; false, and the settings unchanged, when they cannot hold
// it (a line break in the service's code): the account's pools would then fail unseen.
bool KeepAccount(SettingsStore& settings, const std::string& login, const std::string& code) {
  SettingsStore kept = settings;
  if (!kept.Set(kUserKey, login) || !kept.Set(kAuthorizationKey, code)) return false;
  // Nothing reads the password back: it is not kept on disk.
  kept.Set(kPasswordKey, "");
  kept.SetFlag(kLoggedInKey, true);
  settings = kept;
  return true;
}

}  // namespace

std::string LoginRequestUrl(const std::string& login, const std::string& password) {
  // Escaped, so that a password holding "&" or "#" reaches the service whole.
  return ServiceUrl("/program/logowanie.php?login=" + EscapeQueryValue(login) +
                    "&haslo=" + EscapeQueryValue(password));
}

void RequestLogin(PageState& state, const std::string& login, const std::string& password,
                  const std::function<std::string(const std::string& url)>& fetch) {
  state = PageState();
  ReadLoginAnswer(fetch(LoginRequestUrl(login, password)), state);
}

void ReadLoginAnswer(const std::string& body, PageState& state) {
  state = PageState();
  if (body.empty()) {
    state.message = kNoAnswer;
    return;
  }
  try {
    const nlohmann::json answer = nlohmann::json::parse(body);
    if (!answer.is_object()) return;
    const auto message = answer.find("odp");
    if (message != answer.end() && message->is_string())
      state.message = message->get<std::string>();
    const auto accepted = answer.find("logowanie");
    if (accepted != answer.end()) state.loggedIn = accepted->get<bool>();
    const auto code = answer.find("autoryzacja");
    if (code != answer.end()) state.authorization = code->get<std::string>();
  } catch (const std::exception&) {
    // Not one JSON value, or a member of the wrong type.
    state.message = kUnexpectedAnswer;
    state.loggedIn = false;
  }
}

void LogIn(PageContext& context) {
  SaveOptionsForm(context);
  const std::string login = Field(context.page, L"user_name_id");
  const std::string password = Field(context.page, L"user_code_id");
  if (IsEmptyField(login, kLoginHint) || IsEmptyField(password, kPasswordHint)) {
    // An attempt all the same: nothing of an earlier one counts.
    context.state = PageState();
    context.state.message = kFieldsEmpty;
    context.actions.ShowLoginMessage(context.state.message);
    return;
  }

  RequestLogin(context.state, login, password,
               [&](const std::string& url) { return context.actions.FetchLoginAnswer(url); });
  if (context.state.loggedIn &&
      !KeepAccount(context.settings, login, context.state.authorization)) {
    context.state.loggedIn = false;
    context.state.message = kUnexpectedAnswer;
  }
  if (!context.state.loggedIn) {
    context.actions.ShowLoginMessage(context.state.message);
    return;
  }
  ShowChangedLoginState(context.page, true, login);
  context.actions.SaveSettings(context.settings);
}

void LogOut(PageContext& context) {
  for (const char* key : {kUserKey, kPasswordKey, kAuthorizationKey}) context.settings.Set(key, "");
  context.settings.SetFlag(kLoggedInKey, false);
  context.actions.SaveSettings(context.settings);
  ShowChangedLoginState(context.page, false, std::string());
}
