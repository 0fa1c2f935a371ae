// Stands in for a running copy of the program: a top-level window with the tray window's class
// and title that writes every hand-off message it receives to the file named by its argument,
// one line each, and quits on message 1148. With "late " before the file name it stands in for a
// copy that is still starting: it holds the running copy's mutex for two seconds before its
// window appears.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT kRemoteCommand = WM_USER + 120;
constexpr UINT kStopRequest = WM_USER + 124;
std::string g_logPath;

void Log(const std::string& line) {
  if (FILE* log = std::fopen(g_logPath.c_str(), "ab")) {
    std::fprintf(log, "%s\n", line.c_str());
    std::fclose(log);
  }
}

std::string Hex(const void* data, DWORD size) {
  std::string hex;
  char byte[3];
  for (DWORD i = 0; i < size; ++i) {
    std::snprintf(byte, sizeof byte, "%02x", static_cast<const unsigned char*>(data)[i]);
    hex += byte;
  }
  return hex;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  char line[128];
  switch (message) {
    case kRemoteCommand:
      std::snprintf(line, sizeof line, "remote %lu %ld", static_cast<unsigned long>(wParam),
                    static_cast<long>(lParam));
      Log(line);
      return 0;
    case WM_COPYDATA: {
      auto* block = reinterpret_cast<COPYDATASTRUCT*>(lParam);
      std::snprintf(line, sizeof line, "copydata %lu %lu %lu ", static_cast<unsigned long>(wParam),
                    static_cast<unsigned long>(block->dwData),
                    static_cast<unsigned long>(block->cbData));
      Log(line + Hex(block->lpData, block->cbData));
      return TRUE;
    }
    case kStopRequest:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  g_logPath = commandLine;
  constexpr char kLate[] = "late ";
  if (g_logPath.rfind(kLate, 0) == 0) {
    g_logPath.erase(0, sizeof kLate - 1);
    ::CreateMutexA(nullptr, TRUE, "Local\\KolorowiskoRunningCopy");
    Log("starting");
    ::Sleep(2000);
  }
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "KolorowiskoMainWindow";
  ::RegisterClassA(&windowClass);
  ::CreateWindowExA(0, "KolorowiskoMainWindow", "KolorowiskO", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                    nullptr, nullptr, instance, nullptr);
  Log("ready");
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
  return 0;
}
