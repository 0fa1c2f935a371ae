// What the program shows outside its own windows: message boxes and web pages opened in the
// user's default browser. Both go through seams, so that tests see what would be shown without a
// modal box or a browser blocking them.
#pragma once

#include <windows.h>

#include <string>

// MessageBoxW; a null caption gives the system's own ("Error").
int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);
using MessageBoxFunction = int(WINAPI*)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction replacement);

// Hands the address (UTF-8) to the shell (default verb, SW_SHOW); the outcome is not checked.
void OpenWebPage(const std::string& address);
using WebPageOpener = void (*)(const std::string& address);
WebPageOpener SetWebPageOpener(WebPageOpener replacement);
