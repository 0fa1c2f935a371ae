#include "page/fake_page_document.h"

FakePageDocument FakePageDocument::OptionsPage() {
  FakePageDocument page;
  page.Add(L"change_interval_id", Kind::kInput).disabled = true;
  page.Add(L"auto_change_id", Kind::kInput);
  page.Add(L"category_id", Kind::kSelect).disabled = true;
  page.Add(L"separate_screens_id", Kind::kInput);
  page.Add(L"user_name_id", Kind::kInput);
  page.Add(L"user_code_id", Kind::kInput);
  for (const wchar_t* id : {L"user_div", L"login_div", L"logout_div", L"logedin_div", L"fav_n",
                            L"fav_l", L"fav_z", L"fav_p", L"add_n", L"add_l", L"add_z", L"add_p"}) {
    page.Add(id, Kind::kBlock);
  }
  return page;
}

FakePageDocument::Element& FakePageDocument::Add(const std::wstring& id, Kind kind) {
  Element& element = elements_[id];
  element.kind = kind;
  return element;
}

FakePageDocument::Element* FakePageDocument::Find(const std::wstring& id, Kind kind,
                                                  const wchar_t* operation) {
  log_.push_back(std::wstring(operation) + L" " + id);
  auto it = elements_.find(id);
  if (it == elements_.end()) return nullptr;
  // Every element answers the block operations; only inputs and selects the others.
  if (kind != Kind::kBlock && it->second.kind != kind) return nullptr;
  return &it->second;
}

bool FakePageDocument::SetInputValue(const std::wstring& id, const std::wstring& value) {
  Element* element = Find(id, Kind::kInput, L"SetInputValue");
  if (element) element->value = value;
  return element != nullptr;
}

bool FakePageDocument::GetInputValue(const std::wstring& id, std::wstring& value) {
  Element* element = Find(id, Kind::kInput, L"GetInputValue");
  if (element) value = element->value;
  return element != nullptr;
}

bool FakePageDocument::SetCheckbox(const std::wstring& id, bool checked) {
  Element* element = Find(id, Kind::kInput, L"SetCheckbox");
  if (element) element->checked = checked;
  return element != nullptr;
}

bool FakePageDocument::GetCheckbox(const std::wstring& id, bool& checked) {
  Element* element = Find(id, Kind::kInput, L"GetCheckbox");
  if (element) checked = element->checked;
  return element != nullptr;
}

bool FakePageDocument::EnableInput(const std::wstring& id, bool enabled) {
  Element* element = Find(id, Kind::kInput, L"EnableInput");
  if (element) element->disabled = !enabled;
  return element != nullptr;
}

bool FakePageDocument::SetSelectIndex(const std::wstring& id, int index) {
  Element* element = Find(id, Kind::kSelect, L"SetSelectIndex");
  if (element) element->index = index;
  return element != nullptr;
}

bool FakePageDocument::GetSelectIndex(const std::wstring& id, int& index) {
  Element* element = Find(id, Kind::kSelect, L"GetSelectIndex");
  if (element) index = element->index;
  return element != nullptr;
}

bool FakePageDocument::EnableSelect(const std::wstring& id, bool enabled) {
  Element* element = Find(id, Kind::kSelect, L"EnableSelect");
  if (element) element->disabled = !enabled;
  return element != nullptr;
}

void FakePageDocument::ShowElement(const std::wstring& id, bool show) {
  Element* element = Find(id, Kind::kBlock, show ? L"Show" : L"Hide");
  if (element) element->className = show ? L"show" : L"hide";
}

void FakePageDocument::SetElementHtml(const std::wstring& id, const std::string& html) {
  Element* element = Find(id, Kind::kBlock, L"SetElementHtml");
  if (element) element->html = html;
}
