// The anchors of the addresses the settings page navigates to, which the page's own links and
// the recent table (names from the service) make: routed to the page commands.
#include <string>

#include "fuzz/fuzz_support.h"
#include "page/fake_page_actions.h"
#include "page/fake_page_document.h"
#include "recent/picture_name.h"
#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte chooses the page shown; the rest is the address, two bytes a character.
  bool onOptionsPage = size > 0 && (data[0] & 1) != 0;
  std::wstring url;
  for (std::size_t i = 1; i + 1 < size; i += 2) {
    url += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
  }
  const std::string anchor = NavigationAnchor(url);
  IsOwnPage(url, L"res://C:\\Program Files\\k.exe/");
  FUZZ_CHECK(anchor.size() <= 1023);

  FakePageDocument page = FakePageDocument::OptionsPage();
  SettingsStore settings;
  PageState state;
  FakePageActions actions;
  actions.loginAnswer = "{\"logowanie\":true,\"autoryzacja\":\"x\"}";
  PageContext context{page, settings, state, onOptionsPage, actions, L"res://C:\\k.exe/"};
  RunPageCommand(context, anchor);
  for (const std::string& done : actions.done) {
    if (done.compare(0, 4, "set ") == 0) FUZZ_CHECK(IsSafePictureName(done.substr(4)));
  }
  return 0;
}
