#include "app/argument.h"
#include "app/startup.h"
#include "base/log.h"
#include "base/seam.h"
#include "base/text_win.h"
#include "base/user_interaction_win.h"
#include "tray/tray.h"

namespace {

Seam<MessageSender> g_send(::SendMessageA);

// Windows refuses a message from a normal process to an elevated one: SendMessageA then answers
// 0 with an error, where a running copy that took the request answers without one.
bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ::SetLastError(ERROR_SUCCESS);
  return g_send.Get()(window, message, wParam, lParam) != 0 || ::GetLastError() == ERROR_SUCCESS;
}

bool Deliver(HWND runningWindow, const std::string& argument) {
  switch (ClassifyArgument(argument)) {
    case ArgumentKind::Empty:
      return Send(runningWindow, WM_REMOTE_COMMAND, 0, 0);
    case ArgumentKind::Numeric:
      return Send(runningWindow, WM_REMOTE_COMMAND, 0, NumericArgumentValue(argument));
    case ArgumentKind::Link:
      break;
  }
  COPYDATASTRUCT block;
  block.dwData = 1;
  block.cbData = static_cast<DWORD>(argument.size() + 1);  // the NUL travels with the text
  block.lpData = const_cast<char*>(argument.c_str());
  return Send(runningWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&block));
}

}  // namespace

int HandOffToRunningCopy(HWND runningWindow, const std::string& argument) {
  if (Deliver(runningWindow, argument)) return 0;
  WriteLog("the running copy refused the hand-off of \"" + AnsiToUtf8(argument) + "\"");
  ShowMessageBox(nullptr,
                 L"Działające Kolorowisko nie przyjęło polecenia, zapewne dlatego, że uruchomiono "
                 L"je jako administrator. Zamknij je (Wyjście w menu ikony) i uruchom ponownie.",
                 L"Kolorowisko", MB_OK | MB_ICONWARNING);
  return 1;
}

MessageSender SetHandOffSender(MessageSender replacement) { return g_send.Replace(replacement); }
