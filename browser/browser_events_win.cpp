// The control's events: the sink's interfaces, and each page event forwarded to the session.
#include "browser/html_window_win.h"

#include <exdispid.h>
#include <oleauto.h>

#include <cwchar>

#include "base/log.h"
#include "base/user_interaction_win.h"
#include "browser/com_win.h"

namespace {

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
        if (!session_.BeforeNavigate(ArgumentText(params, 7, 1))) CancelNavigation(params);
        return S_OK;
      }
      case DISPID_DOCUMENTCOMPLETE: {
        session_.DocumentComplete();
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
    LogCaughtException("browser event");
    return E_FAIL;
  }
}
