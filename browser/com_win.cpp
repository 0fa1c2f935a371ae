#include "browser/com_win.h"

#include "base/user_interaction_win.h"

Microsoft::WRL::ComPtr<IWebBrowser2> QueryWebBrowser(IOleObject* browserObject) {
  Microsoft::WRL::ComPtr<IWebBrowser2> browser;
  if (browserObject) browserObject->QueryInterface(IID_PPV_ARGS(browser.GetAddressOf()));
  return browser;
}

HRESULT NotImplemented(const wchar_t* method) {
  ShowMessageBox(nullptr, method, L"Not Implemented", MB_OK);
  return E_NOTIMPL;
}
