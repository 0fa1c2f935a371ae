// Opening a service page in the user's default web browser.
#pragma once

#include <string>

// Hands the address to the shell (ShellExecuteA, "open" by default, SW_SHOW); the outcome is not
// checked.
void OpenWebPage(const std::string& address);

// Tests put a recorder in place of the shell, so that no browser starts; returns the opener that
// was in place.
using WebPageOpener = void (*)(const std::string& address);
WebPageOpener SetWebPageOpener(WebPageOpener opener);
