// The tray window as the program makes it: its ways out, what it lets through the integrity
// filter, and its timers beside the icon's own.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "resources/resource_ids.h"
#include "support/seam_replacement.h"
#include "tray/tray.h"
#include "tray/tray_parts_win.h"

namespace {

int g_deletes = 0;
int g_addsToRefuse = 0;
bool g_shown = false;
int g_quits = 0;

// A shell that refuses the next few adds and counts the removals.
BOOL WINAPI StandInShell(DWORD message, PNOTIFYICONDATAA) {
  switch (message) {
    case NIM_DELETE:
      ++g_deletes;
      g_shown = false;
      return TRUE;
    case NIM_ADD:
      g_shown = g_shown || g_addsToRefuse-- <= 0;
      return g_shown;
    default:
      return g_shown;
  }
}

int g_filtered = 0;
struct {
  HWND window;
  UINT message;
  DWORD action;
} g_filter;

BOOL WINAPI RecordFilter(HWND window, UINT message, DWORD action, PCHANGEFILTERSTRUCT) {
  ++g_filtered;
  g_filter = {window, message, action};
  return TRUE;
}

// Dispatches what comes for up to forMs, and counts the WM_QUITs; stops early once done says so.
void Pump(
    DWORD forMs, bool (*done)() = [] { return false; }) {
  for (DWORD waited = 0; waited <= forMs && !done(); waited += 20) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) g_quits += message.wParam == 0 ? 1 : 100;
      ::DispatchMessageA(&message);
    }
    ::Sleep(20);
  }
}

class TrayWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    tray_ = TrayWindow::Create(::GetModuleHandleA(nullptr));
    ASSERT_NE(tray_, nullptr);
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
    const HWND window = tray_->Handle();
    g_deletes = g_quits = 0;
    c.ask(tray_);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(!tray_ || !tray_->Handle());
    Pump(100);
    tray_.reset();
    EXPECT_EQ(g_deletes, 1);
    EXPECT_EQ(g_quits, 1);
  }
}

// An elevated copy hears Explorer's restart; nothing else gets through the integrity filter, the
// hand-off messages least of all. Where the call is missing, the window is made all the same.
TEST_F(TrayWindowTest, LetsOnlyTaskbarCreatedThroughTheIntegrityFilter) {
  EXPECT_EQ(g_filtered, 1);
  EXPECT_EQ(g_filter.window, tray_->Handle());
  EXPECT_EQ(g_filter.message, ::RegisterWindowMessageA("TaskbarCreated"));
  EXPECT_EQ(g_filter.action, static_cast<DWORD>(MSGFLT_ALLOW));
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
  Pump(1300, [] { return g_shown; });
  EXPECT_TRUE(g_shown);
  tray_.reset();  // before the display's wait ends: nothing is drawn again
}

}  // namespace
