#include "browser/ole_in_place_frame_win.h"

#include "browser/com_win.h"

HRESULT OleInPlaceFrame::QueryInterface(REFIID, void**) {
  return NotImplemented(L"QueryInterface");
}

ULONG OleInPlaceFrame::AddRef() { return 1; }
ULONG OleInPlaceFrame::Release() { return 1; }

HRESULT OleInPlaceFrame::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = window_;
  return S_OK;
}

HRESULT OleInPlaceFrame::ContextSensitiveHelp(BOOL) {
  return NotImplemented(L"ContextSensitiveHelp");
}

HRESULT OleInPlaceFrame::GetBorder(RECT*) { return NotImplemented(L"GetBorder"); }

HRESULT OleInPlaceFrame::RequestBorderSpace(LPCBORDERWIDTHS) {
  return NotImplemented(L"RequestBorderSpace");
}

HRESULT OleInPlaceFrame::SetBorderSpace(LPCBORDERWIDTHS) {
  return NotImplemented(L"SetBorderSpace");
}

HRESULT OleInPlaceFrame::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) { return S_OK; }

HRESULT OleInPlaceFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
  return NotImplemented(L"InsertMenus");
}

HRESULT OleInPlaceFrame::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
HRESULT OleInPlaceFrame::RemoveMenus(HMENU) { return NotImplemented(L"RemoveMenus"); }
HRESULT OleInPlaceFrame::SetStatusText(LPCOLESTR) { return S_OK; }
HRESULT OleInPlaceFrame::EnableModeless(BOOL) { return S_OK; }

HRESULT OleInPlaceFrame::TranslateAccelerator(MSG*, WORD) {
  return NotImplemented(L"TranslateAccelerator");
}
