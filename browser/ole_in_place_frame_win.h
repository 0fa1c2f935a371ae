// The browser control's in-place frame: the settings window, with no menus or borders to share.
#pragma once

#include <windows.h>
#include <oleidl.h>

// Not reference-counted: the settings window keeps it as long as the control.
class OleInPlaceFrame : public IOleInPlaceFrame {
 public:
  // window is the settings window that holds the control.
  explicit OleInPlaceFrame(HWND window) : window_(window) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enterMode) override;

  // IOleInPlaceUIWindow
  HRESULT STDMETHODCALLTYPE GetBorder(RECT* border) override;
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS widths) override;
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS widths) override;
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* activeObject,
                                            LPCOLESTR objectName) override;

  // IOleInPlaceFrame
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU shared, HOLEMENU oleMenu, HWND activeObject) override;
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU shared) override;
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR text) override;
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* message, WORD id) override;

 private:
  HWND window_;
};
