#include "app/argument.h"
#include "app/startup.h"
#include "tray/tray.h"

void HandOffToRunningCopy(HWND runningWindow, const std::string& argument) {
  switch (ClassifyArgument(argument)) {
    case ArgumentKind::Empty:
      ::SendMessageA(runningWindow, WM_REMOTE_COMMAND, 0, 0);
      return;
    case ArgumentKind::Numeric:
      ::SendMessageA(runningWindow, WM_REMOTE_COMMAND, 0, NumericArgumentValue(argument));
      return;
    case ArgumentKind::Link: {
      COPYDATASTRUCT block;
      block.dwData = 1;
      block.cbData = static_cast<DWORD>(argument.size() + 1);  // the NUL travels with the text
      block.lpData = const_cast<char*>(argument.c_str());
      ::SendMessageA(runningWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&block));
      return;
    }
  }
}
