// The browser control's in-place site: lets the control activate inside the settings window.
#pragma once

#include <windows.h>
#include <oleidl.h>

// Not reference-counted: the settings window keeps it as long as the control.
class OleInPlaceSite : public IOleInPlaceSite {
 public:
  OleInPlaceSite(IOleInPlaceFrame* frame, HWND window);

  void SetClientSite(IOleClientSite* clientSite) { clientSite_ = clientSite; }
  void SetBrowserObject(IOleObject* browserObject) { browserObject_ = browserObject; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enterMode) override;

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnUIActivate() override;
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                             RECT* position, RECT* clip,
                                             OLEINPLACEFRAMEINFO* frameInfo) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE extent) override;
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL undoable) override;
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
  HRESULT STDMETHODCALLTYPE OnPosRectChange(const RECT* position) override;

 private:
  IOleClientSite* clientSite_ = nullptr;
  IOleInPlaceFrame* frame_;
  IOleObject* browserObject_ = nullptr;
  HWND window_;
};
