// The tray icon against a shell that refuses or loses it, as Explorer does during a slow logon.
#include <gtest/gtest.h>

#include <windows.h>

#include "support/seam_replacement.h"
#include "tray/tray.h"

namespace {

// The stand-in shell: refuses the next few adds with a time-out, and holds the icon or not.
int g_addsToRefuse = 0;
bool g_shown = false;
HICON g_shownIcon = nullptr;

BOOL WINAPI StandInShell(DWORD message, PNOTIFYICONDATAA record) {
  const bool add = message == NIM_ADD && !g_shown && g_addsToRefuse-- <= 0;
  const bool modify = message == NIM_MODIFY && g_shown;
  if (message == NIM_DELETE) g_shown = false;
  if (!add && !modify) {
    ::SetLastError(ERROR_TIMEOUT);
    return FALSE;
  }
  g_shown = true;
  g_shownIcon = record->hIcon;
  return TRUE;
}

bool PumpUntilShown(DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs && !g_shown; waited += 50) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    ::Sleep(50);
  }
  return g_shown;
}

TEST(TrayIcon, IsAddedAgainUntilTheShellTakesItAndComesBackWhenGone) {
  SeamReplacement<NotifyIconFunction> shell(SetNotifyIconFunction, StandInShell);
  HWND window =
      ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_TRUE(window);
  InitTrayIcon(window, "KolorowiskO");
  const HICON idle = ::LoadIconA(::GetModuleHandleA(nullptr), "AMAINICON");
  const HICON busy = ::LoadIconA(::GetModuleHandleA(nullptr), "DOWNLOADICON");
  const struct {
    const char* label;
    int refusals;
    void (*change)();
    HICON icon;
  } kCases[] = {
      {"refused twice at the start", 2, AddTrayIcon, idle},
      {"gone before the busy icon", 0, ShowBusyIcon, busy},
      {"gone before the idle icon, refused once more", 1, ShowIdleIcon, idle},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.label);
    g_shown = false;
    g_addsToRefuse = c.refusals;
    c.change();
    EXPECT_TRUE(PumpUntilShown(5000));
    EXPECT_EQ(g_shownIcon, c.icon);
  }
  DeleteTrayIcon();
  ::DestroyWindow(window);
}

}  // namespace
