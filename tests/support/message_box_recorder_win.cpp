#include "support/message_box_recorder_win.h"

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
