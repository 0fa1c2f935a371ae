// Notification area: the hidden tray window with its icon's menu and the automatic-change timer,
// and the numbers handed to the program on its command line or by a second copy; the machine's
// sleep, wake and lock reach the automatic change through it.
#pragma once

#include <windows.h>

#include <memory>

#include "system/notification_icon_win.h"
#include "tray/request.h"
#include "wallpaper/change_outcome.h"

constexpr UINT WM_REMOTE_COMMAND = WM_USER + 120;  // 1144: a number handed over by a second copy
constexpr UINT WM_STOP_REQUEST = WM_USER + 124;    // 1148: ends the program

constexpr char kTrayWindowClass[] = "KolorowiskoMainWindow";
constexpr char kTrayWindowTitle[] = "KolorowiskO";
// The window's own timers; the icon's re-add timer (960) is the notification icon's.
constexpr UINT_PTR kAutoChangeTimerId = 950;
constexpr UINT kAutoChangeTimerPeriodMs = 60000;
// A display change comes as a burst of messages (each monitor, each step of a new arrangement):
// the desktop is drawn again once they have settled.
constexpr UINT_PTR kDisplayChangeTimerId = 951;
constexpr UINT kDisplayChangeSettleMs = 1500;
// After a wake or an unlock, a due automatic change waits a few seconds: the network often comes
// back only after the wake.
constexpr UINT_PTR kDelayedChangeTimerId = 952;
constexpr UINT kDelayedChangeMs = 5000;

// The program's main window, never shown: it owns the tray icon's lifetime, the tray menu and the
// number of the shell's "TaskbarCreated" message, and takes the icon's clicks, the timers and
// what a second copy hands over. One way out: "Wyjście" and WM_STOP_REQUEST destroy the window,
// and its WM_DESTROY removes the icon, stops the timers and ends the message loop.
class TrayWindow {
 public:
  // The window with its icon in the notification area; null, after logging why, when the window
  // cannot be made.
  static std::unique_ptr<TrayWindow> Create(HINSTANCE instance);
  // Destroys the window if it is still there (the loop ended for another reason).
  ~TrayWindow();
  TrayWindow(const TrayWindow&) = delete;
  TrayWindow& operator=(const TrayWindow&) = delete;

  // Null once the window is gone.
  HWND Handle() const { return window_; }

 private:
  TrayWindow() = default;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void OnCreate();
  void OnDestroy();
  void OnTaskbarCreated();
  void OnTrayNotify(WPARAM iconId, LPARAM mouseMessage);
  void OnTimer(UINT_PTR timer);
  void OnDisplayChange();
  void OnCopyData(const COPYDATASTRUCT* block);
  void OnRemoteCommand(int value);
  void OnStopRequest();

  HWND window_ = nullptr;
  HMENU menu_ = nullptr;
  UINT taskbarCreatedMessage_ = 0;
};

// ChangeWindowMessageFilterEx, looked up at run time (Windows 7 and later); tests record what the
// window lets through from processes of lower integrity.
using MessageFilterFunction = BOOL(WINAPI*)(HWND window, UINT message, DWORD action,
                                            PCHANGEFILTERSTRUCT details);
MessageFilterFunction SetMessageFilterFunction(MessageFilterFunction replacement);

// Carries out what the user or a web page asked for (request.h), with where it came from: the
// command line (ChangeOrigin::Link, a link of the program's scheme) or a second copy.
void CarryOutRequest(const Request& request, ChangeOrigin origin);
