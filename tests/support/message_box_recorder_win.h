// Replaces the program's message boxes for the life of the object and records them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/user_interaction_win.h"
#include "support/seam_replacement.h"

struct RecordedBox {
  HWND owner;
  std::wstring text;
  bool hasCaption;
  std::wstring caption;
  UINT type;
};

class MessageBoxRecorder {
 public:
  MessageBoxRecorder();
  MessageBoxRecorder(const MessageBoxRecorder&) = delete;
  MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

  const std::vector<RecordedBox>& Boxes() const;
  // The boxes' texts, one line each, for failure messages.
  std::string Describe() const;
  void Clear();
  // Wine cannot load the settings page and says so through the browser's navigation error: under
  // Wine, that box is forgotten (the page loads on Windows, where the box would be a fault).
  void ForgetWinesPageError();

 private:
  SeamReplacement<MessageBoxFunction> replacement_;
};
