#include "tray/tray.h"

#include <string>

#include "base/app_paths_win.h"
#include "base/log.h"
#include "base/seam.h"
#include "browser/browser.h"
#include "tray/copy_data_text.h"
#include "tray/tray_parts_win.h"
#include "wallpaper/screens_win.h"
#include "wallpaper/wallpaper.h"

namespace {

constexpr int kTrayWindowWidth = 544;
constexpr int kTrayWindowHeight = 375;

// Missing before Windows 7: then there is no integrity filter to open either.
MessageFilterFunction LookUpMessageFilter() {
  const HMODULE user32 = ::GetModuleHandleA("user32.dll");
  return user32 ? reinterpret_cast<MessageFilterFunction>(
                      ::GetProcAddress(user32, "ChangeWindowMessageFilterEx"))
                : nullptr;
}

Seam<MessageFilterFunction> g_messageFilter(LookUpMessageFilter());

bool RegisterTrayWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = ::LoadIconA(instance, "AMAINICON");
  windowClass.hIconSm = ::LoadIconA(instance, "AMAINICON");
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(1);
  windowClass.lpszClassName = kTrayWindowClass;
  // A later window of the same run finds the class there already.
  return ::RegisterClassExA(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void LogFailedCall(const char* call) {
  WriteFailedCallLog(std::string("tray window not made: ") + call + " failed");
}

}  // namespace

std::unique_ptr<TrayWindow> TrayWindow::Create(HINSTANCE instance) {
  if (!RegisterTrayWindowClass(instance, WindowProc)) {
    LogFailedCall("RegisterClassExA");
    return nullptr;
  }
  std::unique_ptr<TrayWindow> tray(new TrayWindow);
  // The object is known from WM_NCCREATE on, so WM_CREATE finds it.
  if (!::CreateWindowExA(0, kTrayWindowClass, kTrayWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                         CW_USEDEFAULT, kTrayWindowWidth, kTrayWindowHeight, nullptr, nullptr,
                         instance, tray.get())) {
    LogFailedCall("CreateWindowExA");
    return nullptr;
  }
  InitTrayIcon(tray->window_, kTrayWindowTitle);
  ::ShowWindow(tray->window_, SW_HIDE);
  AddTrayIcon();
  return tray;
}

TrayWindow::~TrayWindow() {
  if (window_) ::DestroyWindow(window_);
  if (menu_) ::DestroyMenu(menu_);
}

LRESULT CALLBACK TrayWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* tray = static_cast<TrayWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    tray->window_ = window;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(tray));
  }
  auto* tray = reinterpret_cast<TrayWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY && tray) {
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    tray->window_ = nullptr;
  }
  if (!tray || message == WM_NCDESTROY) return ::DefWindowProcA(window, message, wParam, lParam);
  // An exception must not unwind into the system's code that called the procedure.
  try {
    return tray->HandleMessage(message, wParam, lParam);
  } catch (...) {
    LogCaughtException("tray window");
    return 0;
  }
}

LRESULT TrayWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == taskbarCreatedMessage_ && message != 0) {
    OnTaskbarCreated();
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_CLOSE:
      ::ShowWindow(window_, SW_HIDE);
      return 0;
    case WM_COPYDATA:
      OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
      return 0;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_DISPLAYCHANGE:
      OnDisplayChange();
      return 0;
    case WM_POWERBROADCAST:
      OnPowerEvent(window_, wParam);
      return TRUE;  // also grants a query, as the default handling does
    case WM_WTSSESSION_CHANGE:
      OnSessionEvent(window_, wParam);
      return 0;
    case WM_TRAY_NOTIFY:
      OnTrayNotify(wParam, lParam);
      return 0;
    case WM_REMOTE_COMMAND:
      OnRemoteCommand(static_cast<int>(lParam));
      return 0;
    case WM_STOP_REQUEST:
      OnStopRequest();
      return 0;
    default:
      return ::DefWindowProcA(window_, message, wParam, lParam);
  }
}

void TrayWindow::OnCreate() {
  menu_ = BuildTrayMenu(AppInstance());
  taskbarCreatedMessage_ = ::RegisterWindowMessageA("TaskbarCreated");
  // An elevated copy would never hear that Explorer restarted: the integrity filter drops the
  // broadcast. Only this message is let through; a lower-integrity process must not drive this
  // copy with the hand-off messages. Where the call is missing or fails, the icon is only lost
  // after a restart of Explorer.
  if (MessageFilterFunction allow = g_messageFilter.Get()) {
    allow(window_, taskbarCreatedMessage_, MSGFLT_ALLOW, nullptr);
  }
  ::SetTimer(window_, kAutoChangeTimerId, kAutoChangeTimerPeriodMs, nullptr);
  WatchDayEvents(window_);
}

void TrayWindow::OnDestroy() {
  StopWatchingDayEvents(window_);
  ::KillTimer(window_, kAutoChangeTimerId);
  ::KillTimer(window_, kDisplayChangeTimerId);
  DeleteTrayIcon();
  ::PostQuitMessage(0);
}

void TrayWindow::OnTaskbarCreated() {
  AddTrayIcon();  // the shell restarted: put the icon back
}

void TrayWindow::OnTrayNotify(WPARAM iconId, LPARAM mouseMessage) {
  if (iconId != kTrayIconId) return;
  if (mouseMessage == WM_LBUTTONDOWN) {
    OpenSettingsWindow();
  } else if (mouseMessage == WM_RBUTTONDOWN) {
    CarryOutTrayCommand(window_, ChooseTrayMenuCommand(window_, menu_));
  }
}

// Only the program's own timers count: any program on the desktop can post a WM_TIMER.
void TrayWindow::OnTimer(UINT_PTR timer) {
  if (timer == kAutoChangeTimerId) {
    ChangeWallpaperIfDue();
  } else if (timer == kDisplayChangeTimerId) {
    ::KillTimer(window_, kDisplayChangeTimerId);
    RefitWallpaperToScreens();
  } else if (timer == kDelayedChangeTimerId) {
    OnDelayedChangeTimer(window_);
  }
}

// Each message of the burst starts the wait again.
void TrayWindow::OnDisplayChange() {
  ::SetTimer(window_, kDisplayChangeTimerId, kDisplayChangeSettleMs, nullptr);
}

// A link from a second copy; the empty text asks for the settings window.
void TrayWindow::OnCopyData(const COPYDATASTRUCT* block) {
  const std::string text = block ? CopyDataText(block->lpData, block->cbData) : std::string();
  CarryOutRequest(RequestFromLinkText(text), ChangeOrigin::SecondCopy);
}

void TrayWindow::OnRemoteCommand(int value) {
  CarryOutRequest(RequestFromHandOffNumber(value), ChangeOrigin::SecondCopy);
}

void TrayWindow::OnStopRequest() { ::DestroyWindow(window_); }

MessageFilterFunction SetMessageFilterFunction(MessageFilterFunction replacement) {
  return g_messageFilter.Replace(replacement);
}
