// The web-browser control in the settings window: its host objects, the control in place, the
// events' connection, navigation and size.
#include "browser/html_window_win.h"

#include <exdisp.h>

#include "base/text_win.h"
#include "base/user_interaction_win.h"
#include "browser/com_win.h"
#include "browser/doc_host_ui_handler_win.h"
#include "browser/ole_client_site_win.h"
#include "browser/ole_in_place_frame_win.h"
#include "browser/ole_in_place_site_win.h"
#include "browser/storage_win.h"

using Microsoft::WRL::ComPtr;

bool HTMLWindow::EmbedBrowser() {
  storage_ = std::make_unique<Storage>();
  frame_ = std::make_unique<OleInPlaceFrame>(window_);
  inPlaceSite_ = std::make_unique<OleInPlaceSite>(frame_.get(), window_);
  uiHandler_ = std::make_unique<DocHostUiHandler>(this);
  clientSite_ = std::make_unique<OleClientSite>(inPlaceSite_.get(), uiHandler_.get(),
                                                static_cast<DWebBrowserEvents2*>(this));
  uiHandler_->SetClientSite(clientSite_.get());
  inPlaceSite_->SetClientSite(clientSite_.get());

  if (FAILED(::OleCreate(CLSID_WebBrowser, IID_IOleObject, OLERENDER_DRAW, nullptr,
                         clientSite_.get(), storage_.get(),
                         reinterpret_cast<void**>(browserObject_.ReleaseAndGetAddressOf())))) {
    return false;
  }
  inPlaceSite_->SetBrowserObject(browserObject_.Get());
  document_.Attach(browserObject_.Get());
  browserObject_->SetHostNames(L"Some_host_name", nullptr);

  RECT client = {};
  ::GetClientRect(window_, &client);
  if (FAILED(::OleSetContainedObject(browserObject_.Get(), TRUE))) return false;
  if (FAILED(browserObject_->DoVerb(OLEIVERB_SHOW, nullptr, clientSite_.get(), -1, window_,
                                    &client))) {
    return false;
  }
  ComPtr<IWebBrowser2> browser = QueryWebBrowser(browserObject_.Get());
  if (!browser) return false;
  browser->put_Left(0);
  browser->put_Top(0);
  browser->put_Width(client.right);
  browser->put_Height(client.bottom);
  return true;
}

void HTMLWindow::AddSink() {
  if (!browserObject_) {
    ShowMessageBox(nullptr, L"browserObject_ is null in AddSink", nullptr, MB_OK);
    return;
  }
  ComPtr<IConnectionPointContainer> container;
  if (FAILED(browserObject_.As(&container))) {
    ShowMessageBox(nullptr, L"QueryInterface for IID_IConnectionPointContainer", nullptr, MB_OK);
    return;
  }
  ComPtr<IConnectionPoint> point;
  if (FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point))) {
    ShowMessageBox(nullptr, L"FindConnectionPoint", nullptr, MB_OK);
    return;
  }
  // The sink stays connected for the life of the control, so the cookie is not kept.
  DWORD cookie = 0;
  if (FAILED(point->Advise(static_cast<DWebBrowserEvents2*>(this), &cookie))) {
    ShowMessageBox(nullptr, L"Advise failed", nullptr, MB_OK);
  }
}

void HTMLWindow::Navigate(const std::string& url) {
  ComPtr<IWebBrowser2> browser = QueryWebBrowser(browserObject_.Get());
  if (!browser) return;
  ScopedBstr address(AnsiToWide(url));
  if (!address) return;
  VARIANT target;
  ::VariantInit(&target);
  target.vt = VT_BSTR;
  target.bstrVal = address.Get();
  // A failure shows up as the browser's own NavigateError event.
  browser->Navigate2(&target, nullptr, nullptr, nullptr, nullptr);
}

void HTMLWindow::ResizeBrowser(int width, int height) {
  // The window's first sizes come before the control is in it; embedding sizes it then.
  if (!browserObject_) return;
  ComPtr<IWebBrowser2> browser = QueryWebBrowser(browserObject_.Get());
  if (!browser) {
    ShowMessageBox(nullptr, L"Couldn't query interface for IID_IWebBrowser2", nullptr, MB_OK);
    return;
  }
  browser->put_Width(width);
  browser->put_Height(height);
}

IDocHostUIHandler* HTMLWindow::UiHandler() const { return uiHandler_.get(); }
