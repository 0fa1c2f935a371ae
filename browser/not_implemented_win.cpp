#include "browser/not_implemented_win.h"

#include "browser/browser.h"

HRESULT NotImplemented(const wchar_t* method) {
  g_messageBox(nullptr, method, L"Not Implemented", MB_OK);
  return E_NOTIMPL;
}
