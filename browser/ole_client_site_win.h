// The browser control's client site: where the control finds the in-place site, the UI handler
// and the event sink.
#pragma once

#include <windows.h>
#include <mshtmhst.h>
#include <oleidl.h>

// Not reference-counted: the settings window keeps it as long as the control.
class OleClientSite : public IOleClientSite {
 public:
  OleClientSite(IOleInPlaceSite* inPlaceSite, IDocHostUIHandler* uiHandler, IDispatch* eventSink);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD whichMoniker,
                                       IMoniker** moniker) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override;
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL show) override;
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;

 private:
  IOleInPlaceSite* inPlaceSite_;
  IDocHostUIHandler* uiHandler_;
  IDispatch* eventSink_;
};
