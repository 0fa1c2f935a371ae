// The page logic's view of the document shown in the settings window: form fields and blocks
// found by their ids. The settings window implements it over the browser's document; tests use a
// double. Every operation fails quietly (false, or nothing) when the document or the element of
// the right kind cannot be reached.
#pragma once

#include <string>

class PageDocument {
 public:
  // Input elements (text fields and check boxes).
  virtual bool SetInputValue(const std::wstring& id, const std::wstring& value) = 0;
  // Replaces value with the field's text (empty when it has none).
  virtual bool GetInputValue(const std::wstring& id, std::wstring& value) = 0;
  virtual bool SetCheckbox(const std::wstring& id, bool checked) = 0;
  virtual bool GetCheckbox(const std::wstring& id, bool& checked) = 0;
  virtual bool EnableInput(const std::wstring& id, bool enabled) = 0;

  // Select elements (drop-down lists).
  virtual bool SetSelectIndex(const std::wstring& id, int index) = 0;
  virtual bool GetSelectIndex(const std::wstring& id, int& index) = 0;
  virtual bool EnableSelect(const std::wstring& id, bool enabled) = 0;

  // Any element: the page's style classes "show" and "hide" set its visibility.
  virtual void ShowElement(const std::wstring& id, bool show) = 0;
  // html is UTF-8.
  virtual void SetElementHtml(const std::wstring& id, const std::string& html) = 0;

 protected:
  ~PageDocument() = default;
};
