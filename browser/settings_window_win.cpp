#include "browser/settings_window_win.h"

#include <shellapi.h>

#include <exception>
#include <memory>
#include <string>

#include "base/log.h"
#include "base/app_paths_win.h"
#include "base/user_interaction_win.h"
#include "browser/browser.h"
#include "browser/com_win.h"
#include "browser/file_drop_win.h"
#include "browser/html_window_win.h"
#include "browser/page_address.h"
#include "recent/recent.h"
#include "settings/settings.h"

using Microsoft::WRL::ComPtr;

namespace {

HTMLWindow* WindowObject(HWND window) {
  return reinterpret_cast<HTMLWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT OnDestroy(HWND window) {
  DiscardKeptDrops();  // their message goes with the window
  HTMLWindow* object = WindowObject(window);
  if (!object) return 1;
  object->Session().SaveOnClose();
  // Messages that come while the object goes must not find it.
  ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  delete object;
  return 1;
}

LRESULT OnSize(HWND window, LPARAM lParam) {
  HTMLWindow* object = WindowObject(window);
  if (object) object->ResizeBrowser(LOWORD(lParam), HIWORD(lParam));
  return 0;
}

// Closing only hides the window: the page and its state stay for the next opening.
LRESULT OnClose(HWND window) {
  ::ShowWindow(window, SW_HIDE);
  if (HTMLWindow* object = WindowObject(window)) object->Session().SaveOnClose();
  return 0;
}

// The window itself may have the focus; Tab must still move through the page's fields.
LRESULT OnTabKey(HWND window, LPARAM lParam) {
  HTMLWindow* object = WindowObject(window);
  if (!object) {
    ShowMessageBox(nullptr, L"Failed to retrieve webBrowser2 in WM_KEYDOWN", nullptr, MB_OK);
    return -1;
  }
  ComPtr<IWebBrowser2> browser = QueryWebBrowser(object->BrowserObject());
  if (!browser) return 0;
  ComPtr<IOleInPlaceActiveObject> activeObject;
  if (FAILED(browser.As(&activeObject)) || !activeObject) {
    ShowMessageBox(nullptr, L"Failed to retrieve IOleInPlaceActiveObject in WM_KEYDOWN", nullptr,
                   MB_OK);
    return 0;
  }
  MSG key = {window, WM_KEYDOWN, VK_TAB, lParam, 0, {}};
  activeObject->TranslateAccelerator(&key);
  return 0;
}

void OnDropFiles(HDROP drop) {
  ApplyDroppedFiles(drop);
  ::DragFinish(drop);
}

// The text after "app://" carries no command: the page is only blanked. The message itself
// carries nothing: any process may post it, so only a text that the object queued counts.
LRESULT OnAppUrl(HWND window) {
  HTMLWindow* object = WindowObject(window);
  std::string rest;
  if (object && object->TakeAppUrl(rest)) object->Document().Write("");
  return 0;
}

// The window's object comes with its creation and is known from the first message on.
void OnNcCreate(HWND window, LPARAM lParam) {
  auto* object = static_cast<HTMLWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
  if (!object) return;
  ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
  object->TakeWindow(window);
}

}  // namespace

std::optional<LRESULT> HandleSettingsWindowMessage(HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      OnNcCreate(window, lParam);
      return std::nullopt;
    case WM_CREATE:
      return 0;
    case WM_DESTROY:
      return OnDestroy(window);
    case WM_SIZE:
      return OnSize(window, lParam);
    case WM_CLOSE:
      return OnClose(window);
    case WM_KEYDOWN:
      if (wParam != VK_TAB) return std::nullopt;
      return OnTabKey(window, lParam);
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return std::nullopt;
    case WM_PAGE_APP_URL:
      return OnAppUrl(window);
    case WM_PAGE_KEPT_DROPS:
      ApplyKeptDrops();
      return 0;
    default:
      return std::nullopt;
  }
}

LRESULT CALLBACK SettingsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    const std::optional<LRESULT> result =
        HandleSettingsWindowMessage(window, message, wParam, lParam);
    if (result) return *result;
  } catch (...) {
    LogCaughtException("settings window");
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

void OpenSettingsWindow() {
  // A message box during the window's making (the page's navigation error) runs a message loop,
  // and a request that it handles must not make a second window: the first one is shown.
  static HTMLWindow* opening = nullptr;
  if (opening) {
    if (HWND window = opening->Window()) ::ShowWindow(window, SW_SHOW);
    return;
  }
  try {
    if (HTMLWindow* current = CurrentHTMLWindow()) {
      // Neither restored from the minimised state nor brought to the front.
      ::ShowWindow(current->Window(), SW_SHOW);
      return;
    }
    auto object = std::make_unique<HTMLWindow>(SettingsPageAddress(OwnExecutablePath()),
                                               AppInstance(), AppSettings(), &AppWallpapers());
    opening = object.get();
    object->Open();
    // Owned by its window from here, which deletes it when it is destroyed.
    object.release();
  } catch (...) {
    // Out of memory: there is no settings window this time.
    LogCaughtException("opening the settings window");
  }
  opening = nullptr;
}
