// A page document double: elements by id, each of one kind, and the log of the calls made.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "page/page.h"

class FakePageDocument : public PageDocument {
 public:
  enum class Kind { kInput, kSelect, kBlock };
  struct Element {
    Kind kind = Kind::kBlock;
    std::wstring value;
    bool checked = false;
    bool disabled = false;
    int index = 0;
    std::wstring className;
    std::string html;
  };

  // The settings page's form and login blocks as loaded: the interval field and the list
  // disabled, no visibility class set.
  static FakePageDocument OptionsPage();

  Element& Add(const std::wstring& id, Kind kind);
  Element& At(const std::wstring& id) { return elements_.at(id); }
  void Remove(const std::wstring& id) { elements_.erase(id); }
  const std::vector<std::wstring>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }

  bool SetInputValue(const std::wstring& id, const std::wstring& value) override;
  bool GetInputValue(const std::wstring& id, std::wstring& value) override;
  bool SetCheckbox(const std::wstring& id, bool checked) override;
  bool GetCheckbox(const std::wstring& id, bool& checked) override;
  bool EnableInput(const std::wstring& id, bool enabled) override;
  bool SetSelectIndex(const std::wstring& id, int index) override;
  bool GetSelectIndex(const std::wstring& id, int& index) override;
  bool EnableSelect(const std::wstring& id, bool enabled) override;
  void ShowElement(const std::wstring& id, bool show) override;
  void SetElementHtml(const std::wstring& id, const std::string& html) override;

 private:
  Element* Find(const std::wstring& id, Kind kind, const wchar_t* operation);

  std::map<std::wstring, Element> elements_;
  std::vector<std::wstring> log_;
};
