#include "app/web_page.h"

#include <windows.h>
#include <shellapi.h>

#include <utility>

namespace {

void OpenWithShell(const std::string& address) {
  ::ShellExecuteA(nullptr, nullptr, address.c_str(), nullptr, nullptr, SW_SHOW);
}

WebPageOpener g_opener = OpenWithShell;

}  // namespace

void OpenWebPage(const std::string& address) { g_opener(address); }

WebPageOpener SetWebPageOpener(WebPageOpener opener) { return std::exchange(g_opener, opener); }
