// The settings window's host window: OLE for the control, the window class, the window made with
// its object, and the object's life.
#include "browser/html_window_win.h"

#include <utility>

#include "browser/browser.h"
#include "browser/doc_host_ui_handler_win.h"
#include "browser/ole_client_site_win.h"
#include "browser/ole_in_place_frame_win.h"
#include "browser/ole_in_place_site_win.h"
#include "browser/settings_window_win.h"
#include "browser/storage_win.h"
#include "base/text_win.h"

namespace {

HTMLWindow* g_current = nullptr;
bool g_oleInitialized = false;

}  // namespace

HTMLWindow* CurrentHTMLWindow() { return g_current; }
HWND SettingsWindowHandle() { return g_current ? g_current->Window() : nullptr; }

HTMLWindow::HTMLWindow(const std::string& pageUrl, HINSTANCE instance, SettingsStore& settings,
                       WallpaperList* wallpapers)
    : pageUrl_(pageUrl),
      instance_(instance),
      pageActions_(wallpapers),
      session_(document_, settings, pageActions_,
               AnsiToWide(pageUrl.substr(0, pageUrl.rfind('/') + 1))) {}

HTMLWindow::~HTMLWindow() { Teardown(); }

void HTMLWindow::Open() {
  try {
    if (CreateHostWindow()) Navigate(pageUrl_);
  } catch (...) {
    // Nothing may find an object that does not exist: neither the window nor the program.
    if (window_) {
      ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
      ::DestroyWindow(window_);
      window_ = nullptr;
    }
    Teardown();
    throw;
  }
  // Published only whole.
  g_current = this;
}

void HTMLWindow::TakeWindow(HWND window) {
  window_ = window;
  pageActions_.SetOwner(window);
}

void HTMLWindow::Teardown() {
  document_.Attach(nullptr);
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
}

bool HTMLWindow::CreateHostWindow() {
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
  // The procedure takes the object from the creation's parameters at WM_NCCREATE.
  if (!::CreateWindowExA(WS_EX_ACCEPTFILES, kSettingsWindowClass, kSettingsWindowTitle,
                         kSettingsWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                         frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                         instance_, this)) {
    return false;
  }

  if (!EmbedBrowser()) return false;
  AddSink();
  ::ShowWindow(window_, SW_SHOWNORMAL);
  ::UpdateWindow(window_);
  return true;
}

void HTMLWindow::QueueAppUrl(std::string rest) { appUrls_.push_back(std::move(rest)); }

bool HTMLWindow::TakeAppUrl(std::string& rest) {
  if (appUrls_.empty()) return false;
  rest = std::move(appUrls_.front());
  appUrls_.pop_front();
  return true;
}
