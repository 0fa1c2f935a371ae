#include "browser/doc_host_ui_handler_win.h"

#include <cstring>
#include <cwchar>
#include <new>
#include <string>
#include <utility>

#include "base/log.h"
#include "base/text_win.h"
#include "base/user_interaction_win.h"
#include "browser/browser.h"
#include "browser/file_drop_win.h"
#include "browser/html_window_win.h"
#include "browser/split_protocol.h"

namespace {

constexpr DWORD kContextMenuControl = 2;
constexpr DWORD kContextMenuTextSelection = 4;
// cbSize as the control's first version of the record knows it.
constexpr ULONG kHostInfoSize = 20;
constexpr DWORD kHostFlags = DOCHOSTUIFLAG_DISABLE_HELP_MENU | DOCHOSTUIFLAG_NO3DBORDER |
                             DOCHOSTUIFLAG_SCROLL_NO | DOCHOSTUIFLAG_OPENNEWWIN |
                             DOCHOSTUIFLAG_NO3DOUTERBORDER;

LPWSTR CoTaskCopy(const wchar_t* text) {
  const size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
  auto* copy = static_cast<LPWSTR>(::CoTaskMemAlloc(bytes));
  if (copy) std::memcpy(copy, text, bytes);
  return copy;
}

}  // namespace

DocHostUiHandler::DocHostUiHandler(HTMLWindow* owner) : owner_(owner) {}
DocHostUiHandler::~DocHostUiHandler() = default;

HRESULT DocHostUiHandler::QueryInterface(REFIID iid, void** object) {
  if (clientSite_) return clientSite_->QueryInterface(iid, object);
  ShowMessageBox(nullptr, L"ClientSite is null", nullptr, MB_OK);
  return E_NOINTERFACE;
}

ULONG DocHostUiHandler::AddRef() { return 1; }
ULONG DocHostUiHandler::Release() { return 1; }

// The browser's own menu only where it helps: on form fields and on selected text.
HRESULT DocHostUiHandler::ShowContextMenu(DWORD menuId, POINT*, IUnknown*, IDispatch*) {
  return menuId == kContextMenuControl || menuId == kContextMenuTextSelection ? S_FALSE : S_OK;
}

HRESULT DocHostUiHandler::GetHostInfo(DOCHOSTUIINFO* info) {
  if (!info) return E_POINTER;
  info->cbSize = kHostInfoSize;
  info->dwFlags = kHostFlags;
  info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
  return S_OK;
}

HRESULT DocHostUiHandler::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                                 IOleInPlaceFrame*, IOleInPlaceUIWindow*) {
  return S_OK;
}

HRESULT DocHostUiHandler::HideUI() { return S_OK; }
HRESULT DocHostUiHandler::UpdateUI() { return S_OK; }
HRESULT DocHostUiHandler::EnableModeless(BOOL) { return S_OK; }
HRESULT DocHostUiHandler::OnDocWindowActivate(BOOL) { return S_OK; }
HRESULT DocHostUiHandler::OnFrameWindowActivate(BOOL) { return S_OK; }
HRESULT DocHostUiHandler::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
HRESULT DocHostUiHandler::TranslateAccelerator(MSG*, const GUID*, DWORD) { return S_FALSE; }
HRESULT DocHostUiHandler::GetOptionKeyPath(LPOLESTR*, DWORD) { return S_FALSE; }

// The page invites the user to drop an image on it, but the control covers the whole window:
// files dropped over it must reach the window's own drop handling, not open in the browser. The
// browser's own target is not used at all (see FileDropTarget).
HRESULT DocHostUiHandler::GetDropTarget(IDropTarget*, IDropTarget** target) {
  if (!target) return E_POINTER;
  *target = new (std::nothrow) FileDropTarget(PostDroppedFiles);
  return *target ? S_OK : E_OUTOFMEMORY;
}

HRESULT DocHostUiHandler::GetExternal(IDispatch** external) {
  if (external) *external = nullptr;
  return S_FALSE;
}

// "app://" addresses are the page's messages to the program: the rest of the address goes to the
// settings window through its object's queue, and the browser loads an empty page instead.
HRESULT DocHostUiHandler::TranslateUrl(DWORD, LPWSTR urlIn, LPWSTR* urlOut) {
  if (!urlIn) return S_OK;
  try {
    std::string protocol, rest;
    if (!SplitProtocol(WideToAnsi(urlIn), protocol, rest) || protocol != "app") return S_OK;
    owner_->QueueAppUrl(std::move(rest));
    ::PostMessageA(owner_->Window(), WM_PAGE_APP_URL, 0, 0);
    if (urlOut) *urlOut = CoTaskCopy(L"about:blank");
  } catch (...) {
    // Out of memory: the address is left as it is.
    LogCaughtException("app address");
  }
  return S_OK;
}

HRESULT DocHostUiHandler::FilterDataObject(IDataObject*, IDataObject** filtered) {
  if (filtered) *filtered = nullptr;
  return S_FALSE;
}
