// The page document of the settings window: the control's current MSHTML document, as the page
// logic sees it.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <wrl/client.h>

#include <string>

#include "page/page.h"

class BrowserDocument final : public PageDocument {
 public:
  // The control whose documents this reaches; null lets go of it (before OLE goes).
  void Attach(IOleObject* browserObject) { browserObject_ = browserObject; }

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

  // Replaces the shown document with html (ANSI). A document that cannot be reached or refuses
  // the text stays as it was.
  void Write(const std::string& html);

 private:
  Microsoft::WRL::ComPtr<IOleObject> browserObject_;
};
