// Drives the program's windows from another process, for end-to-end tests. One command per run;
// the answer goes to standard output, the exit code is 0 on success.
//
//   find CLASS TITLE [TIMEOUT_MS]            waits for the top-level window; prints its handle
//   gone CLASS TITLE [TIMEOUT_MS]            waits until no such window exists
//   send CLASS TITLE MSG WPARAM LPARAM       SendMessageA; prints the result
//   post CLASS TITLE MSG WPARAM LPARAM       PostMessageA
//   copydata CLASS TITLE TEXT [CBDATA]       WM_COPYDATA (dwData 1) with TEXT and its NUL; CBDATA
//                                            sends only that many bytes of it
//   info CLASS TITLE                         visible, style, extended style, client width/height,
//                                            and the window's thread's other top-level windows
//   dialogs [CLOSE [TEXT]]                   lists message boxes (class #32770) as "title|text";
//                                            CLOSE also dismisses them, with TEXT only those
//                                            whose text starts with it
//   regvalue KEY NAME                        a value under HKEY_CURRENT_USER\KEY (NAME "-" for the
//                                            default value) as "TYPE SIZE HEX", exactly as stored
//   resources CLASS TITLE                    the figures of the window's process: "handles N",
//                                            "gdi N", "user N", "private BYTES"
//   launch HEX [TIMEOUT_MS]                  starts the command line whose bytes HEX gives (as the
//                                            shell would, quotes untouched), waits, and exits with
//                                            its exit code
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/scoped_win.h"
#include "tools/start_process_win.h"

namespace {

const char* Arg(int argc, char** argv, int i) { return i < argc ? argv[i] : ""; }

const char* OrNull(const char* text) { return std::string(text) == "-" ? nullptr : text; }

HWND WaitForWindow(const char* windowClass, const char* title, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    HWND window = ::FindWindowA(OrNull(windowClass), OrNull(title));
    if (window || ::GetTickCount() - start >= timeoutMs) return window;
    ::Sleep(50);
  }
}

HWND Find(int argc, char** argv) {
  HWND window = ::FindWindowA(OrNull(Arg(argc, argv, 2)), OrNull(Arg(argc, argv, 3)));
  if (!window) std::fprintf(stderr, "window not found\n");
  return window;
}

struct DialogQuery {
  bool close;
  std::string prefix;
};

BOOL CALLBACK ListDialog(HWND window, LPARAM param) {
  const auto* query = reinterpret_cast<const DialogQuery*>(param);
  char windowClass[64] = {};
  ::GetClassNameA(window, windowClass, sizeof windowClass);
  if (std::string(windowClass) != "#32770" || !::IsWindowVisible(window)) return TRUE;
  char title[256] = {}, text[1024] = {};
  ::GetWindowTextA(window, title, sizeof title);
  ::GetDlgItemTextA(window, 0xFFFF, text, sizeof text);  // a message box's static text
  if (std::string(text).compare(0, query->prefix.size(), query->prefix) != 0) return TRUE;
  std::printf("%s|%s\n", title, text);
  if (query->close) ::PostMessageA(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

struct ThreadWindows {
  DWORD thread;
  HWND except;
};

BOOL CALLBACK ListThreadWindow(HWND window, LPARAM param) {
  auto* query = reinterpret_cast<ThreadWindows*>(param);
  if (window == query->except || ::GetWindowThreadProcessId(window, nullptr) != query->thread) {
    return TRUE;
  }
  char windowClass[128] = {}, title[256] = {};
  ::GetClassNameA(window, windowClass, sizeof windowClass);
  ::GetWindowTextA(window, title, sizeof title);
  std::printf("window %s|%s|%d\n", windowClass, title, ::IsWindowVisible(window) ? 1 : 0);
  return TRUE;
}

int Info(HWND window) {
  RECT client = {};
  ::GetClientRect(window, &client);
  std::printf("visible %d\nstyle 0x%08lX\nexstyle 0x%08lX\nclient %ld %ld\niconic %d\n",
              ::IsWindowVisible(window) ? 1 : 0, ::GetWindowLongA(window, GWL_STYLE),
              ::GetWindowLongA(window, GWL_EXSTYLE), client.right - client.left,
              client.bottom - client.top, ::IsIconic(window) ? 1 : 0);
  ThreadWindows query = {::GetWindowThreadProcessId(window, nullptr), window};
  ::EnumWindows(ListThreadWindow, reinterpret_cast<LPARAM>(&query));
  return 0;
}

int Launch(const std::string& hex, DWORD timeoutMs) {
  std::string commandLine;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    commandLine += static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16));
  }
  ScopedKernelHandle child = StartProcess(commandLine);
  if (!child) return 255;
  DWORD exitCode = 254;
  if (::WaitForSingleObject(child.Get(), timeoutMs) == WAIT_OBJECT_0) {
    ::GetExitCodeProcess(child.Get(), &exitCode);
  }
  std::printf("exit %lu\n", exitCode);
  return static_cast<int>(exitCode);
}

int CopyData(HWND window, const std::string& text, const char* byteCount) {
  COPYDATASTRUCT block;
  block.dwData = 1;
  block.cbData = *byteCount ? static_cast<DWORD>(std::strtoul(byteCount, nullptr, 10))
                            : static_cast<DWORD>(text.size() + 1);
  block.lpData = const_cast<char*>(text.c_str());
  std::printf("%ld\n", static_cast<long>(::SendMessageA(window, WM_COPYDATA, 0,
                                                        reinterpret_cast<LPARAM>(&block))));
  return 0;
}

int Resources(HWND window) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  ScopedKernelHandle process(
      ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process) {
    std::fprintf(stderr, "OpenProcess failed: %lu\n", ::GetLastError());
    return 1;
  }
  DWORD handles = 0;
  ::GetProcessHandleCount(process.Get(), &handles);
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  ::GetProcessMemoryInfo(process.Get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
  std::printf("handles %lu\ngdi %lu\nuser %lu\nprivate %lu\n", handles,
              ::GetGuiResources(process.Get(), GR_GDIOBJECTS),
              ::GetGuiResources(process.Get(), GR_USEROBJECTS),
              static_cast<unsigned long>(memory.PrivateUsage));
  return 0;
}

int RegValue(const char* keyPath, const char* name) {
  ScopedRegKey key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_QUERY_VALUE, key.Receive()) !=
      ERROR_SUCCESS) {
    std::fprintf(stderr, "key not found\n");
    return 1;
  }
  DWORD type = 0, size = 0;
  if (::RegQueryValueExA(key.Get(), OrNull(name), nullptr, &type, nullptr, &size) !=
      ERROR_SUCCESS) {
    std::fprintf(stderr, "value not found\n");
    return 1;
  }
  std::string data(size, '\0');
  ::RegQueryValueExA(key.Get(), OrNull(name), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]),
                     &size);
  std::printf("%lu %lu ", type, size);
  for (unsigned char byte : data.substr(0, size)) std::printf("%02x", byte);
  std::printf("\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = Arg(argc, argv, 1);
  const DWORD timeout = argc > 4 ? std::strtoul(argv[4], nullptr, 10) : 10000;
  if (command == "launch") {
    return Launch(Arg(argc, argv, 2), argc > 3 ? std::strtoul(argv[3], nullptr, 10) : INFINITE);
  }
  if (command == "regvalue") return RegValue(Arg(argc, argv, 2), Arg(argc, argv, 3));
  if (command == "find") {
    HWND window = WaitForWindow(Arg(argc, argv, 2), Arg(argc, argv, 3), timeout);
    if (!window) return 1;
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
    return 0;
  }
  if (command == "gone") {
    const DWORD start = ::GetTickCount();
    while (::FindWindowA(OrNull(Arg(argc, argv, 2)), OrNull(Arg(argc, argv, 3)))) {
      if (::GetTickCount() - start >= timeout) return 1;
      ::Sleep(50);
    }
    return 0;
  }
  if (command == "dialogs") {
    DialogQuery query{std::string(Arg(argc, argv, 2)) == "CLOSE", Arg(argc, argv, 3)};
    ::EnumWindows(ListDialog, reinterpret_cast<LPARAM>(&query));
    return 0;
  }
  HWND window = Find(argc, argv);
  if (!window) return 1;
  const UINT message = std::strtoul(Arg(argc, argv, 4), nullptr, 0);
  const WPARAM wParam = std::strtoul(Arg(argc, argv, 5), nullptr, 0);
  const LPARAM lParam = std::strtol(Arg(argc, argv, 6), nullptr, 0);
  if (command == "send") {
    std::printf("%ld\n", static_cast<long>(::SendMessageA(window, message, wParam, lParam)));
    return 0;
  }
  if (command == "post") return ::PostMessageA(window, message, wParam, lParam) ? 0 : 1;
  if (command == "copydata") return CopyData(window, Arg(argc, argv, 4), Arg(argc, argv, 5));
  if (command == "info") return Info(window);
  if (command == "resources") return Resources(window);
  std::fprintf(stderr, "unknown command %s\n", command.c_str());
  return 2;
}
