#include "base/user_interaction_win.h"

#include <shellapi.h>

#include "base/seam.h"
#include "base/text.h"

namespace {

// Wide, so that the address reaches the browser as it is, whatever the ANSI code page.
void OpenWithShell(const std::string& address) {
  ::ShellExecuteW(nullptr, nullptr, Utf8ToWide(address).c_str(), nullptr, nullptr, SW_SHOW);
}

Seam<MessageBoxFunction> g_messageBox(::MessageBoxW);
Seam<WebPageOpener> g_webPageOpener(OpenWithShell);

}  // namespace

int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
  return g_messageBox.Get()(owner, text, caption, type);
}

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction replacement) {
  return g_messageBox.Replace(replacement);
}

void OpenWebPage(const std::string& address) { g_webPageOpener.Get()(address); }

WebPageOpener SetWebPageOpener(WebPageOpener replacement) {
  return g_webPageOpener.Replace(replacement);
}
