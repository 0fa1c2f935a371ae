#include "browser/browser_document_win.h"

#include <exdisp.h>
#include <mshtml.h>
#include <oleauto.h>

#include <memory>

#include "base/text.h"
#include "base/text_win.h"
#include "browser/com_win.h"

using Microsoft::WRL::ComPtr;

namespace {

// The element of the shown document with this id; null when the control, its document or the
// element is missing.
ComPtr<IHTMLElement> FindElement(IOleObject* browserObject, const std::wstring& id) {
  ComPtr<IWebBrowser2> browser = QueryWebBrowser(browserObject);
  if (!browser) return nullptr;
  ComPtr<IDispatch> document;
  if (browser->get_Document(&document) != S_OK || !document) return nullptr;
  ComPtr<IHTMLDocument3> document3;
  if (FAILED(document.As(&document3))) return nullptr;
  ScopedBstr elementId(id);
  ComPtr<IHTMLElement> element;
  if (FAILED(document3->getElementById(elementId.Get(), &element))) return nullptr;
  return element;
}

// The element with this id as an input or select element; null when it is of another kind.
template <typename Element>
ComPtr<Element> FindElementAs(IOleObject* browserObject, const std::wstring& id) {
  ComPtr<Element> typed;
  if (ComPtr<IHTMLElement> element = FindElement(browserObject, id)) element.As(&typed);
  return typed;
}

VARIANT_BOOL ToVariantBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

struct SafeArrayDestroyer {
  void operator()(SAFEARRAY* array) const { ::SafeArrayDestroy(array); }
};
using ScopedSafeArray = std::unique_ptr<SAFEARRAY, SafeArrayDestroyer>;

// A one-element array holding html as a string, as IHTMLDocument2::write takes it; null when it
// cannot be built.
ScopedSafeArray MakeHtmlArray(const std::string& html) {
  ScopedSafeArray array(::SafeArrayCreateVector(VT_VARIANT, 0, 1));
  if (!array) return nullptr;
  VARIANT* element = nullptr;
  if (FAILED(::SafeArrayAccessData(array.get(), reinterpret_cast<void**>(&element)))) {
    return nullptr;
  }
  const std::wstring text = AnsiToWide(html);
  const BSTR string = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (string) {
    element->vt = VT_BSTR;
    element->bstrVal = string;
  }
  // Unlocked again, or destroying the array would fail and leak the string.
  ::SafeArrayUnaccessData(array.get());
  if (!string) return nullptr;
  return array;
}

}  // namespace

bool BrowserDocument::SetInputValue(const std::wstring& id, const std::wstring& value) {
  ComPtr<IHTMLInputElement> input = FindElementAs<IHTMLInputElement>(browserObject_.Get(), id);
  if (!input) return false;
  input->put_value(ScopedBstr(value).Get());
  return true;
}

bool BrowserDocument::GetInputValue(const std::wstring& id, std::wstring& value) {
  ComPtr<IHTMLInputElement> input = FindElementAs<IHTMLInputElement>(browserObject_.Get(), id);
  if (!input) return false;
  ScopedBstr text;
  input->get_value(text.Receive());
  value = text.Text();
  return true;
}

bool BrowserDocument::SetCheckbox(const std::wstring& id, bool checked) {
  ComPtr<IHTMLInputElement> input = FindElementAs<IHTMLInputElement>(browserObject_.Get(), id);
  if (!input) return false;
  input->put_checked(ToVariantBool(checked));
  return true;
}

bool BrowserDocument::GetCheckbox(const std::wstring& id, bool& checked) {
  ComPtr<IHTMLInputElement> input = FindElementAs<IHTMLInputElement>(browserObject_.Get(), id);
  if (!input) return false;
  VARIANT_BOOL state = VARIANT_FALSE;
  input->get_checked(&state);
  checked = state == VARIANT_TRUE;
  return true;
}

bool BrowserDocument::EnableInput(const std::wstring& id, bool enabled) {
  ComPtr<IHTMLInputElement> input = FindElementAs<IHTMLInputElement>(browserObject_.Get(), id);
  if (!input) return false;
  input->put_disabled(ToVariantBool(!enabled));
  return true;
}

bool BrowserDocument::SetSelectIndex(const std::wstring& id, int index) {
  ComPtr<IHTMLSelectElement> select = FindElementAs<IHTMLSelectElement>(browserObject_.Get(), id);
  if (!select) return false;
  select->put_selectedIndex(index);
  return true;
}

bool BrowserDocument::GetSelectIndex(const std::wstring& id, int& index) {
  ComPtr<IHTMLSelectElement> select = FindElementAs<IHTMLSelectElement>(browserObject_.Get(), id);
  if (!select) return false;
  long selected = 0;
  select->get_selectedIndex(&selected);
  index = selected;
  return true;
}

bool BrowserDocument::EnableSelect(const std::wstring& id, bool enabled) {
  ComPtr<IHTMLSelectElement> select = FindElementAs<IHTMLSelectElement>(browserObject_.Get(), id);
  if (!select) return false;
  select->put_disabled(ToVariantBool(!enabled));
  return true;
}

// The page's style sheet makes "show" visible and "hide" hidden and not laid out.
void BrowserDocument::ShowElement(const std::wstring& id, bool show) {
  if (ComPtr<IHTMLElement> element = FindElement(browserObject_.Get(), id)) {
    element->put_className(ScopedBstr(show ? L"show" : L"hide").Get());
  }
}

void BrowserDocument::SetElementHtml(const std::wstring& id, const std::string& html) {
  ComPtr<IHTMLElement> element = FindElement(browserObject_.Get(), id);
  if (!element) return;
  std::wstring text = Utf8ToWide(html);
  // The element takes the text up to its first zero.
  const size_t end = text.find(L'\0');
  if (end != std::wstring::npos) text.resize(end);
  element->put_innerHTML(ScopedBstr(text).Get());
}

void BrowserDocument::Write(const std::string& html) {
  ComPtr<IWebBrowser2> browser = QueryWebBrowser(browserObject_.Get());
  if (!browser) return;
  ComPtr<IDispatch> documentDispatch;
  if (FAILED(browser->get_Document(&documentDispatch)) || !documentDispatch) return;
  ComPtr<IHTMLDocument2> document;
  if (FAILED(documentDispatch.As(&document))) return;
  ScopedSafeArray text = MakeHtmlArray(html);
  if (!text || document->write(text.get()) != S_OK) return;
  document->close();
}
