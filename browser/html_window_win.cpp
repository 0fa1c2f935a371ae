#include "browser/html_window_win.h"

#include <exdispid.h>
#include <mshtml.h>
#include <oleauto.h>

#include <cwchar>
#include <utility>

#include "base/text_win.h"
#include "base/user_interaction_win.h"
#include "browser/browser.h"
#include "browser/com_win.h"
#include "browser/doc_host_ui_handler_win.h"
#include "browser/ole_client_site_win.h"
#include "browser/ole_in_place_frame_win.h"
#include "browser/ole_in_place_site_win.h"
#include "browser/settings_window_win.h"
#include "browser/storage_win.h"

using Microsoft::WRL::ComPtr;

namespace {

HTMLWindow* g_current = nullptr;
HWND g_settingsWindow = nullptr;
bool g_oleInitialized = false;

struct SafeArrayDestroyer {
  void operator()(SAFEARRAY* array) const { ::SafeArrayDestroy(array); }
};
using ScopedSafeArray = std::unique_ptr<SAFEARRAY, SafeArrayDestroyer>;

// A one-element array holding html as a string, as IHTMLDocument2::write takes it; null when it
// cannot be built.
ScopedSafeArray MakeHtmlArray(const std::string& html) {
  ScopedSafeArray array(::SafeArrayCreateVector(VT_VARIANT, 0, 1));
  if (!array) return nullptr;
  VARIANT* element = nullptr;
  if (FAILED(::SafeArrayAccessData(array.get(), reinterpret_cast<void**>(&element)))) {
    return nullptr;
  }
  const std::wstring text = AnsiToWide(html);
  const BSTR string = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (string) {
    element->vt = VT_BSTR;
    element->bstrVal = string;
  }
  // Unlocked again, or destroying the array would fail and leak the string.
  ::SafeArrayUnaccessData(array.get());
  if (!string) return nullptr;
  return array;
}

// An event's argument by its place in the declared order; DISPPARAMS holds them last first, each
// as a value or as a reference to a VARIANT. Null when the event brought fewer.
const VARIANT* Argument(const DISPPARAMS* params, UINT count, UINT index) {
  if (!params || params->cArgs != count || !params->rgvarg) return nullptr;
  const VARIANT* argument = &params->rgvarg[count - 1 - index];
  if (argument->vt == (VT_BYREF | VT_VARIANT)) argument = argument->pvarVal;
  return argument;
}

// Tells the browser not to go on: Cancel, the last of BeforeNavigate2's seven arguments.
void CancelNavigation(const DISPPARAMS* params) {
  const VARIANT* cancel = Argument(params, 7, 6);
  if (cancel && cancel->vt == (VT_BYREF | VT_BOOL) && cancel->pboolVal) {
    *cancel->pboolVal = VARIANT_TRUE;
  }
}

std::wstring ArgumentText(const DISPPARAMS* params, UINT count, UINT index) {
  const VARIANT* argument = Argument(params, count, index);
  if (!argument) return std::wstring();
  if (argument->vt == VT_BSTR && argument->bstrVal) {
    return std::wstring(argument->bstrVal, ::SysStringLen(argument->bstrVal));
  }
  if (argument->vt == (VT_BYREF | VT_BSTR) && argument->pbstrVal && *argument->pbstrVal) {
    return std::wstring(*argument->pbstrVal, ::SysStringLen(*argument->pbstrVal));
  }
  return std::wstring();
}

int ArgumentInt(const DISPPARAMS* params, UINT count, UINT index) {
  const VARIANT* argument = Argument(params, count, index);
  if (!argument) return 0;
  if (argument->vt == VT_I4) return argument->lVal;
  if (argument->vt == (VT_BYREF | VT_I4) && argument->plVal) return *argument->plVal;
  return 0;
}

}  // namespace

HTMLWindow* CurrentHTMLWindow() { return g_current; }
HWND SettingsWindowHandle() { return g_settingsWindow; }

HTMLWindow::HTMLWindow(const std::string& pageUrl, HINSTANCE instance, SettingsStore* settings,
                       WallpaperList* wallpapers)
    : settings_(settings),
      instance_(instance),
      wallpapers_(wallpapers),
      pageActions_(window_, wallpapers),
      pagesFolder_(AnsiToWide(pageUrl.substr(0, pageUrl.rfind('/') + 1))) {
  try {
    onOptionsPage = true;
    if (CreateHostWindow(kSettingsWindowTitle)) Navigate(pageUrl);
  } catch (...) {
    // Nothing may find an object that does not exist: neither the window nor the program.
    if (window_) {
      ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
      ::DestroyWindow(window_);
    }
    Teardown();
    throw;
  }
  // Published only whole.
  g_current = this;
}

HTMLWindow::~HTMLWindow() { Teardown(); }

void HTMLWindow::Teardown() {
  if (browserObject_) {
    browserObject_->Close(OLECLOSE_NOSAVE);
    browserObject_->SetClientSite(nullptr);
    browserObject_.Reset();
  }
  clientSite_.reset();
  uiHandler_.reset();
  inPlaceSite_.reset();
  frame_.reset();
  storage_.reset();
  if (g_oleInitialized) {
    ::OleUninitialize();
    g_oleInitialized = false;
  }
  if (g_current == this) g_current = nullptr;
  if (g_settingsWindow == window_) g_settingsWindow = nullptr;
}

HRESULT HTMLWindow::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) {
    *object = static_cast<DWebBrowserEvents2*>(this);
  } else if (iid == IID_IDocHostUIHandler) {
    *object = UiHandler();
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  return S_OK;
}

ULONG HTMLWindow::AddRef() { return 1; }
ULONG HTMLWindow::Release() { return 1; }

HRESULT HTMLWindow::GetTypeInfoCount(UINT*) { return NotImplemented(L"GetTypeInfoCount"); }

HRESULT HTMLWindow::GetTypeInfo(UINT, LCID, ITypeInfo**) { return NotImplemented(L"GetTypeInfo"); }

HRESULT HTMLWindow::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return NotImplemented(L"GetIDsOfNames");
}

HRESULT HTMLWindow::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                           UINT*) {
  try {
    switch (id) {
      case DISPID_BEFORENAVIGATE2: {
        // Arguments arrive last first: the address is the second of seven.
        PageContext context = Context();
        if (!OnBeforeNavigate(context, ArgumentText(params, 7, 1))) CancelNavigation(params);
        return S_OK;
      }
      case DISPID_DOCUMENTCOMPLETE: {
        PageContext context = Context();
        OnDocumentComplete(context);
        return S_OK;
      }
      case DISPID_NAVIGATEERROR: {
        // The status code is the fourth of five; the browser then shows its own error page.
        wchar_t text[64];
        std::swprintf(text, 64, L"Navigate Error, code is: %d", ArgumentInt(params, 5, 3));
        ShowMessageBox(nullptr, text, nullptr, MB_OK);
        return S_OK;
      }
      case DISPID_STATUSTEXTCHANGE:
      case DISPID_DOWNLOADCOMPLETE:
      case DISPID_COMMANDSTATECHANGE:
      case DISPID_DOWNLOADBEGIN:
      case DISPID_PROGRESSCHANGE:
      case DISPID_PROPERTYCHANGE:
      case DISPID_TITLECHANGE:
      case DISPID_NEWWINDOW2:
      case DISPID_NAVIGATECOMPLETE2:
        return S_OK;
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  } catch (...) {
    return E_FAIL;
  }
}

IDocHostUIHandler* HTMLWindow::UiHandler() const { return uiHandler_.get(); }

bool HTMLWindow::CreateHostWindow(const char* title) {
  if (!g_oleInitialized) {
    if (FAILED(::OleInitialize(nullptr))) return false;
    g_oleInitialized = true;
  }

  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = SettingsWindowProc;
  windowClass.hInstance = instance_;
  windowClass.hIcon = ::LoadIconA(instance_, "AMAINICON");
  windowClass.hIconSm = windowClass.hIcon;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kSettingsWindowClass;
  // A second registration fails harmlessly.
  ::RegisterClassExA(&windowClass);

  RECT frame = {0, 0, kSettingsClientWidth, kSettingsClientHeight};
  ::AdjustWindowRect(&frame, kSettingsWindowStyle, FALSE);
  window_ = ::CreateWindowExA(WS_EX_ACCEPTFILES, kSettingsWindowClass, title, kSettingsWindowStyle,
                              CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, instance_, nullptr);
  g_settingsWindow = window_;
  if (!window_) return false;
  ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

  if (!EmbedBrowser()) return false;
  AddSink();
  ::ShowWindow(window_, SW_SHOWNORMAL);
  ::UpdateWindow(window_);
  return true;
}

bool HTMLWindow::EmbedBrowser() {
  storage_ = std::make_unique<Storage>();
  frame_ = std::make_unique<OleInPlaceFrame>();
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
  ComPtr<IWebBrowser2> browser = QueryWebBrowser(browserObject_.Get());
  if (!browser) {
    ShowMessageBox(nullptr, L"Couldn't query interface for IID_IWebBrowser2", nullptr, MB_OK);
    return;
  }
  browser->put_Width(width);
  browser->put_Height(height);
}

void HTMLWindow::WriteDocument(const std::string& html) {
  ComPtr<IWebBrowser2> browser = QueryWebBrowser(browserObject_.Get());
  if (!browser) return;
  ComPtr<IDispatch> documentDispatch;
  if (FAILED(browser->get_Document(&documentDispatch)) || !documentDispatch) return;
  ComPtr<IHTMLDocument2> document;
  if (FAILED(documentDispatch.As(&document))) return;
  ScopedSafeArray text = MakeHtmlArray(html);
  if (!text || document->write(text.get()) != S_OK) return;
  document->close();
}

PageContext HTMLWindow::Context() {
  return PageContext{*this, settings_, pageState, onOptionsPage, pageActions_, pagesFolder_};
}

void HTMLWindow::QueueAppUrl(std::string rest) { appUrls_.push_back(std::move(rest)); }

bool HTMLWindow::TakeAppUrl(std::string& rest) {
  if (appUrls_.empty()) return false;
  rest = std::move(appUrls_.front());
  appUrls_.pop_front();
  return true;
}
