#include "browser/ole_client_site_win.h"

#include <exdisp.h>

#include "browser/com_win.h"

OleClientSite::OleClientSite(IOleInPlaceSite* inPlaceSite, IDocHostUIHandler* uiHandler,
                             IDispatch* eventSink)
    : inPlaceSite_(inPlaceSite), uiHandler_(uiHandler), eventSink_(eventSink) {}

// The in-place site and the UI handler forward their queries here, so all three answer alike.
HRESULT OleClientSite::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (iid == IID_IOleInPlaceSite) {
    *object = inPlaceSite_;
  } else if (iid == IID_IDocHostUIHandler) {
    *object = uiHandler_;
  } else if (iid == DIID_DWebBrowserEvents2 || iid == IID_IDispatch) {
    *object = eventSink_;
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  return S_OK;
}

ULONG OleClientSite::AddRef() { return 1; }
ULONG OleClientSite::Release() { return 1; }

HRESULT OleClientSite::SaveObject() { return NotImplemented(L"SaveObject"); }

HRESULT OleClientSite::GetMoniker(DWORD, DWORD, IMoniker**) {
  return NotImplemented(L"GetMoniker");
}

HRESULT OleClientSite::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}

HRESULT OleClientSite::ShowObject() { return S_OK; }
HRESULT OleClientSite::OnShowWindow(BOOL) { return NotImplemented(L"OnShowWindow"); }

HRESULT OleClientSite::RequestNewObjectLayout() {
  return NotImplemented(L"RequestNewObjectLayout");
}
