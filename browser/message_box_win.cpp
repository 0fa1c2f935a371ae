#include "browser/browser.h"

int(WINAPI* g_messageBox)(HWND, LPCWSTR, LPCWSTR, UINT) = ::MessageBoxW;
