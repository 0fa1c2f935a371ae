#include <string>

#include "app/argument.h"
#include "app/startup.h"
#include "base/log.h"
#include "base/seam.h"
#include "base/text_win.h"
#include "base/user_interaction_win.h"
#include "net/net.h"
#include "tray/tray.h"

namespace {

Seam<MessageSender> g_send(::SendMessageTimeoutA);

// Longer than the longest change a running copy makes: a selection request and an image
// transfer (or an image and its link report), each up to its deadline. The conversion of the
// picture after them takes seconds; a minute more is plenty.
constexpr UINT kHandOffBoundMs =
    static_cast<UINT>((2 * kFetchDeadline + std::chrono::minutes(1)).count());

constexpr DWORD kAskAgainMs = 250;

enum class Delivery { Done, Refused, NoAnswer, WindowGone };

// Windows refuses a message from a normal process to an elevated one with ERROR_ACCESS_DENIED;
// any other failure is a copy that did not answer in time, hung or gone. SMTO_ABORTIFHUNG gives
// up at once on a copy that has read no message for 5 s, and a copy in the middle of a change
// reads none until the change is done: while it counts as hung it is asked again, within the
// bound.
Delivery Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const ULONGLONG start = ::GetTickCount64();
  for (;;) {
    const ULONGLONG waited = ::GetTickCount64() - start;
    if (waited >= kHandOffBoundMs) return Delivery::NoAnswer;
    DWORD_PTR result = 0;
    ::SetLastError(ERROR_SUCCESS);
    if (g_send.Get()(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                     static_cast<UINT>(kHandOffBoundMs - waited), &result) != 0) {
      return Delivery::Done;
    }
    if (::GetLastError() == ERROR_ACCESS_DENIED) return Delivery::Refused;
    if (!::IsWindow(window)) return Delivery::WindowGone;
    if (!::IsHungAppWindow(window)) return Delivery::NoAnswer;
    ::Sleep(kAskAgainMs);
  }
}

Delivery Deliver(HWND runningWindow, const std::string& argument) {
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

int TellLostHandOff(const std::string& why, const std::string& argument, const wchar_t* text) {
  WriteLog(why + " \"" + AnsiToUtf8(argument) + "\"");
  ShowMessageBox(nullptr, text, L"Kolorowisko", MB_OK | MB_ICONWARNING);
  return 1;
}

std::string Seconds(DWORD ms) { return std::to_string(ms / 1000) + " s"; }

}  // namespace

std::optional<int> HandOffToRunningCopy(HWND runningWindow, const std::string& argument) {
  switch (Deliver(runningWindow, argument)) {
    case Delivery::Done:
      return 0;
    case Delivery::WindowGone:
      return std::nullopt;
    case Delivery::Refused:
      return TellLostHandOff(
          "the running copy refused the hand-off of", argument,
          L"Działające Kolorowisko nie przyjęło polecenia, zapewne dlatego, że uruchomiono je "
          L"jako administrator. Zamknij je (Wyjście w menu ikony) i uruchom ponownie.");
    case Delivery::NoAnswer:
      break;
  }
  return TellLostHandOff(
      "the running copy did not answer within " + Seconds(kHandOffBoundMs) + " the hand-off of",
      argument,
      L"Działające Kolorowisko nie odpowiada i nie wykonało polecenia. Jeśli nadal nie "
      L"odpowiada, zamknij je (Wyjście w menu ikony) i uruchom ponownie.");
}

int TellNoRunningCopyAnswered(const std::string& argument, DWORD waitedMs) {
  return TellLostHandOff(
      "no running copy showed its window within " + Seconds(waitedMs) + ", lost the hand-off of",
      argument,
      L"Kolorowisko właśnie się uruchamia albo kończy i nie przyjęło polecenia. Spróbuj ponownie "
      L"za chwilę.");
}

MessageSender SetHandOffSender(MessageSender replacement) { return g_send.Replace(replacement); }
