#include "browser/web_browser_win.h"

Microsoft::WRL::ComPtr<IWebBrowser2> QueryWebBrowser(IOleObject* browserObject) {
  Microsoft::WRL::ComPtr<IWebBrowser2> browser;
  if (browserObject) browserObject->QueryInterface(IID_PPV_ARGS(browser.GetAddressOf()));
  return browser;
}
