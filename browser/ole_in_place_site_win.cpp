#include "browser/ole_in_place_site_win.h"

#include <wrl/client.h>

#include "browser/com_win.h"

OleInPlaceSite::OleInPlaceSite(IOleInPlaceFrame* frame, HWND window)
    : frame_(frame), window_(window) {}

HRESULT OleInPlaceSite::QueryInterface(REFIID iid, void** object) {
  if (clientSite_) return clientSite_->QueryInterface(iid, object);
  if (object) *object = nullptr;
  return E_NOINTERFACE;
}

ULONG OleInPlaceSite::AddRef() { return 1; }
ULONG OleInPlaceSite::Release() { return 1; }

HRESULT OleInPlaceSite::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = window_;
  return S_OK;
}

HRESULT OleInPlaceSite::ContextSensitiveHelp(BOOL) {
  return NotImplemented(L"ContextSensitiveHelp");
}

HRESULT OleInPlaceSite::CanInPlaceActivate() { return S_OK; }
HRESULT OleInPlaceSite::OnInPlaceActivate() { return S_OK; }
HRESULT OleInPlaceSite::OnUIActivate() { return S_OK; }

// The rectangles are left as the control passed them: the window sizes the control itself.
HRESULT OleInPlaceSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, RECT*,
                                         RECT*, OLEINPLACEFRAMEINFO* frameInfo) {
  if (frame) *frame = frame_;
  if (doc) *doc = nullptr;
  if (frameInfo) {
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = window_;
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
  }
  return S_OK;
}

HRESULT OleInPlaceSite::Scroll(SIZE) { return NotImplemented(L"Scroll"); }
HRESULT OleInPlaceSite::OnUIDeactivate(BOOL) { return S_OK; }
HRESULT OleInPlaceSite::OnInPlaceDeactivate() { return S_OK; }
HRESULT OleInPlaceSite::DiscardUndoState() { return NotImplemented(L"DiscardUndoState"); }
HRESULT OleInPlaceSite::DeactivateAndUndo() { return NotImplemented(L"DeactivateAndUndo"); }

HRESULT OleInPlaceSite::OnPosRectChange(const RECT* position) {
  if (!browserObject_) return S_OK;
  Microsoft::WRL::ComPtr<IOleInPlaceObject> inPlaceObject;
  if (SUCCEEDED(browserObject_->QueryInterface(IID_PPV_ARGS(inPlaceObject.GetAddressOf())))) {
    inPlaceObject->SetObjectRects(position, position);
  }
  return S_OK;
}
