// The page document operations of the settings window, over the control's MSHTML document.
#include "browser/html_window_win.h"

#include <mshtml.h>

#include "base/text.h"
#include "browser/com_win.h"
#include "page/page.h"
#include "recent/recent.h"
#include "settings/settings.h"

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

}  // namespace

bool HTMLWindow::SetInputValue(const std::wstring& id, const std::wstring& value) {
  ComPtr<IHTMLInputElement> input = FindElementAs<IHTMLInputElement>(browserObject_.Get(), id);
  if (!input) return false;
  input->put_value(ScopedBstr(value).Get());
  return true;
}

bool HTMLWindow::GetInputValue(const std::wstring& id, std::wstring& value) {
  ComPtr<IHTMLInputElement> input = FindElementAs<IHTMLInputElement>(browserObject_.Get(), id);
  if (!input) return false;
  ScopedBstr text;
  input->get_value(text.Receive());
  value = text.Text();
  return true;
}

bool HTMLWindow::SetCheckbox(const std::wstring& id, bool checked) {
  ComPtr<IHTMLInputElement> input = FindElementAs<IHTMLInputElement>(browserObject_.Get(), id);
  if (!input) return false;
  input->put_checked(ToVariantBool(checked));
  return true;
}

bool HTMLWindow::GetCheckbox(const std::wstring& id, bool& checked) {
  ComPtr<IHTMLInputElement> input = FindElementAs<IHTMLInputElement>(browserObject_.Get(), id);
  if (!input) return false;
  VARIANT_BOOL state = VARIANT_FALSE;
  input->get_checked(&state);
  checked = state == VARIANT_TRUE;
  return true;
}

bool HTMLWindow::EnableInput(const std::wstring& id, bool enabled) {
  ComPtr<IHTMLInputElement> input = FindElementAs<IHTMLInputElement>(browserObject_.Get(), id);
  if (!input) return false;
  input->put_disabled(ToVariantBool(!enabled));
  return true;
}

bool HTMLWindow::SetSelectIndex(const std::wstring& id, int index) {
  ComPtr<IHTMLSelectElement> select = FindElementAs<IHTMLSelectElement>(browserObject_.Get(), id);
  if (!select) return false;
  select->put_selectedIndex(index);
  return true;
}

bool HTMLWindow::GetSelectIndex(const std::wstring& id, int& index) {
  ComPtr<IHTMLSelectElement> select = FindElementAs<IHTMLSelectElement>(browserObject_.Get(), id);
  if (!select) return false;
  long selected = 0;
  select->get_selectedIndex(&selected);
  index = selected;
  return true;
}

bool HTMLWindow::EnableSelect(const std::wstring& id, bool enabled) {
  ComPtr<IHTMLSelectElement> select = FindElementAs<IHTMLSelectElement>(browserObject_.Get(), id);
  if (!select) return false;
  select->put_disabled(ToVariantBool(!enabled));
  return true;
}

// The page's style sheet makes "show" visible and "hide" hidden and not laid out.
void HTMLWindow::ShowElement(const std::wstring& id, bool show) {
  if (ComPtr<IHTMLElement> element = FindElement(browserObject_.Get(), id)) {
    element->put_className(ScopedBstr(show ? L"show" : L"hide").Get());
  }
}

void HTMLWindow::SetElementHtml(const std::wstring& id, const std::string& html) {
  ComPtr<IHTMLElement> element = FindElement(browserObject_.Get(), id);
  if (!element) return;
  std::wstring text = Utf8ToWide(html);
  // The element takes the text up to its first zero.
  const size_t end = text.find(L'\0');
  if (end != std::wstring::npos) text.resize(end);
  element->put_innerHTML(ScopedBstr(text).Get());
}

void HTMLWindow::SaveOptionsForm() {
  PageContext context = Context();
  ::SaveOptionsForm(context);
}
