// The tray window as the program makes it: its ways out, what it lets through the integrity
// filter, and its timers beside the icon's own.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "support/seam_replacement.h"
#include "tray/tray.h"
#include "tray/tray_parts_win.h"

namespace {

int g_deletes = 0;
int g_addsToRefuse = 0;
bool g_shown = false;

// A shell that refuses the next few adds and counts the removals.
BOOL WINAPI StandInShell(DWORD message, PNOTIFYICONDATAA) {
  if (message == NIM_DELETE) {
    ++g_deletes;
    g_shown = false;
    return TRUE;
  }
  if (message == NIM_ADD && g_addsToRefuse-- > 0) return FALSE;
  if (message == NIM_MODIFY && !g_shown) return FALSE;
  g_shown = true;
  return TRUE;
}

struct FilterCall {
  HWND window;
  UINT message;
  DWORD action;
};
std::vector<FilterCall> g_filtered;

BOOL WINAPI RecordFilter(HWND window, UINT message, DWORD action, PCHANGEFILTERSTRUCT) {
  g_filtered.push_back({window, message, action});
  return TRUE;
}

class TrayWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    g_deletes = 0;
    g_addsToRefuse = 0;
    g_shown = false;
    g_filtered.clear();
    tray_ = TrayWindow::Create(::GetModuleHandleA(nullptr));
    ASSERT_NE(tray_, nullptr);
    ASSERT_TRUE(::IsWindow(tray_->Handle()));
  }

  // Dispatches what comes for a while; true when a WM_QUIT with code 0 came, and only one.
  static bool PumpFindsOneQuit(DWORD forMs) {
    int quits = 0;
    for (DWORD waited = 0; waited <= forMs; waited += 20) {
      MSG message;
      while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
          quits += message.wParam == 0 ? 1 : 100;
        } else {
          ::DispatchMessageA(&message);
        }
      }
      ::Sleep(20);
    }
    return quits == 1;
  }

  SeamReplacement<NotifyIconFunction> shell_{SetNotifyIconFunction, StandInShell};
  SeamReplacement<MessageFilterFunction> filter_{SetMessageFilterFunction, RecordFilter};
  std::unique_ptr<TrayWindow> tray_;
};

// One way out, whichever way it is asked for: the window goes, the icon with it, and the loop
// ends once.
TEST_F(TrayWindowTest, EveryWayOutDestroysTheWindowAndEndsTheLoopOnce) {
  const struct {
    const char* label;
    void (*ask)(std::unique_ptr<TrayWindow>& tray);
  } kCases[] = {
      {"Wyjście", [](auto& tray) { CarryOutTrayCommand(tray->Handle(), IDM_EXIT); }},
      {"stop request", [](auto& tray) { ::SendMessageA(tray->Handle(), WM_STOP_REQUEST, 0, 0); }},
      {"the loop ended otherwise", [](auto& tray) { tray.reset(); }},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.label);
    if (!tray_) tray_ = TrayWindow::Create(::GetModuleHandleA(nullptr));
    ASSERT_NE(tray_, nullptr);
    const HWND window = tray_->Handle();
    g_deletes = 0;
    c.ask(tray_);
    EXPECT_FALSE(::IsWindow(window));
    if (tray_) {
      EXPECT_EQ(tray_->Handle(), nullptr);
    }
    EXPECT_EQ(g_deletes, 1);
    EXPECT_TRUE(PumpFindsOneQuit(100));
    tray_.reset();
    EXPECT_EQ(g_deletes, 1) << "the ending ran again";
  }
}

// An elevated copy hears Explorer's restart; nothing else gets through the integrity filter, the
// hand-off messages least of all.
TEST_F(TrayWindowTest, LetsOnlyTaskbarCreatedThroughTheIntegrityFilter) {
  ASSERT_EQ(g_filtered.size(), 1u);
  EXPECT_EQ(g_filtered[0].window, tray_->Handle());
  EXPECT_EQ(g_filtered[0].message, ::RegisterWindowMessageA("TaskbarCreated"));
  EXPECT_EQ(g_filtered[0].action, static_cast<DWORD>(MSGFLT_ALLOW));

  // Where the call is missing, the window is made all the same.
  SeamReplacement<MessageFilterFunction> missing(SetMessageFilterFunction, nullptr);
  EXPECT_NE(TrayWindow::Create(::GetModuleHandleA(nullptr)), nullptr);
}

// A display change while the shell still refuses the icon: both wait on timers of the window,
// and neither may take the other's place.
TEST_F(TrayWindowTest, ADisplayChangeLeavesTheIconsAddingAgainAlone) {
  g_shown = false;
  g_addsToRefuse = 1;
  AddTrayIcon();
  ::SendMessageA(tray_->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1920, 1080));
  // The icon is added again after a second; the display's settling wait is longer.
  for (DWORD waited = 0; waited < 1300 && !g_shown; waited += 20) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    ::Sleep(20);
  }
  EXPECT_TRUE(g_shown);
  tray_.reset();  // before the display's wait ends: nothing is drawn again
}

}  // namespace
