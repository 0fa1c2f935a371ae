// The baseline for the program's start-up and idle figures: a hidden window, one notification-area
// icon and a message loop, nothing else. WM_CLOSE ends it.
#include <windows.h>
#include <shellapi.h>

namespace {

constexpr char kClass[] = "KolorowiskoBenchTrivialTray";
constexpr UINT kIconId = 1;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = kIconId;
    ::Shell_NotifyIconA(NIM_DELETE, &icon);
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClass;
  if (!::RegisterClassA(&windowClass)) return 1;
  HWND window = ::CreateWindowExA(0, kClass, kClass, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 200, 100, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;

  NOTIFYICONDATAA icon = {};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = window;
  icon.uID = kIconId;
  icon.uFlags = NIF_ICON | NIF_TIP;
  icon.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);  // shared: never destroyed
  lstrcpynA(icon.szTip, kClass, sizeof icon.szTip);
  ::Shell_NotifyIconA(NIM_ADD, &icon);

  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return 0;
}
