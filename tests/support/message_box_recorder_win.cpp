#include "support/message_box_recorder_win.h"

#include <algorithm>

#include "base/text.h"

namespace {

std::vector<RecordedBox> g_boxes;

int WINAPI RecordBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  g_boxes.push_back({owner, text ? text : L"", caption != nullptr, caption ? caption : L"", type});
  return IDOK;
}

}  // namespace

MessageBoxRecorder::MessageBoxRecorder() : replacement_(SetMessageBoxFunction, RecordBox) {
  g_boxes.clear();
}

const std::vector<RecordedBox>& MessageBoxRecorder::Boxes() const { return g_boxes; }

std::string MessageBoxRecorder::Describe() const {
  std::string lines;
  for (const RecordedBox& box : g_boxes) {
    lines += "box \"" + WideToUtf8(box.text) + "\" caption " +
             (box.hasCaption ? "\"" + WideToUtf8(box.caption) + "\"" : "none") + "\n";
  }
  return lines;
}

void MessageBoxRecorder::Clear() { g_boxes.clear(); }

void MessageBoxRecorder::ForgetWinesPageError() {
  if (!::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) return;
  g_boxes.erase(std::remove_if(g_boxes.begin(), g_boxes.end(),
                               [](const RecordedBox& box) {
                                 return box.text.compare(0, 14, L"Navigate Error") == 0;
                               }),
                g_boxes.end());
}
