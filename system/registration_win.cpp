#include "system/registration_win.h"

#include "base/app_paths_win.h"
#include "base/registry_win.h"
#include "system/url_scheme_command.h"

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "KolorowiskO";
constexpr char kSchemeKey[] = "Software\\Classes\\kolorowisko";
constexpr char kSchemeCommandKey[] = "Software\\Classes\\kolorowisko\\shell\\open\\command";

}  // namespace

void SetAutoStart(bool enabled) {
  const std::string path = OwnExecutablePath();
  ScopedRegKey run = OpenUserKey(kRunKey);
  if (!run) return;
  if (!enabled) {
    ::RegDeleteValueA(run.Get(), kRunValue);
    return;
  }
  // An existing entry is the user's or an installer's choice: it is left as it is.
  if (::RegQueryValueExA(run.Get(), kRunValue, nullptr, nullptr, nullptr, nullptr) ==
      ERROR_FILE_NOT_FOUND) {
    SetStringValue(run.Get(), kRunValue, path);
  }
}

void RegisterUrlScheme() {
  const std::string command = UrlSchemeCommand(OwnExecutablePath());
  if (ScopedRegKey scheme = CreateUserKey(kSchemeKey)) {
    SetStringValue(scheme.Get(), nullptr, "URL:Kolorowisko protocol");
    SetStringValue(scheme.Get(), "URL Protocol", "");
  }
  if (ScopedRegKey open = CreateUserKey(kSchemeCommandKey)) {
    SetStringValue(open.Get(), nullptr, command);
  }
}
