#include "app/startup.h"

#include <cstdlib>
#include <ctime>

#include "app/argument.h"
#include "base/app_paths_win.h"
#include "base/log.h"
#include "base/scoped_win.h"
#include "base/whole_file_win.h"
#include "browser/browser.h"
#include "image/image_win.h"
#include "recent/recent.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"
#include "system/system.h"
#include "tray/tray.h"
#include "wallpaper/screens_win.h"
#include "wallpaper/wallpaper.h"

namespace {

constexpr int kTrayWindowWidth = 544;
constexpr int kTrayWindowHeight = 375;
// Held by the running copy for its whole run; one per user session.
constexpr char kRunningCopyMutex[] = "Local\\KolorowiskoRunningCopy";
// How long a copy waits for the one that holds the mutex to show its window: its start-up loads
// the settings and the recent wallpapers first.
constexpr DWORD kStartingCopyWaitMs = 30000;
constexpr DWORD kStartingCopyPollMs = 100;

bool RegisterTrayWindowClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = TrayWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = ::LoadIconA(instance, "AMAINICON");
  windowClass.hIconSm = ::LoadIconA(instance, "AMAINICON");
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(1);
  windowClass.lpszClassName = kTrayWindowClass;
  return ::RegisterClassExA(&windowClass) != 0;
}

// What a killed or crashed run was writing when it ended: downloads, wall.bmp, thumbnails and
// config.dat, each under a temporary name. Only the running copy may remove them.
void RemoveLeftoverFiles() {
  // Without a user folder each of these is empty, and nothing is looked at.
  for (const std::string& folder :
       {EnsureAppFolder(), EnsureDataFolder(), EnsureThumbnailsFolder()}) {
    RemoveLeftoverTemporaryFiles(folder);
  }
}

void CarryOutStartupArgument(const std::string& argument) {
  if (argument.empty()) {
    OpenSettingsWindow();
  } else if (ClassifyArgument(argument) == ArgumentKind::Link) {
    ChangeToLink(argument, ChangeOrigin::Link);
  } else {
    CarryOutNumber(NumericArgumentValue(argument), NumberSource::CommandLine);
  }
}

// The running copy's window, or null when this copy is to run. A copy that started a moment
// earlier holds the mutex before its window exists: this one waits for the window, or takes the
// mutex when that copy ends first. A window without the mutex is a running copy too (an older
// version). With mutex null (no object could be made) only the window counts.
HWND FindRunningCopy(HANDLE mutex, bool& owned) {
  for (DWORD waited = 0;; waited += kStartingCopyPollMs) {
    if (HWND window = ::FindWindowA(kTrayWindowClass, kTrayWindowTitle)) return window;
    if (owned || !mutex || waited >= kStartingCopyWaitMs) return nullptr;
    const DWORD wait = ::WaitForSingleObject(mutex, kStartingCopyPollMs);
    owned = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
  }
}

int RunMessageLoop() {
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int RunProgram(HINSTANCE instance, const char* commandLine) {
  SetAppInstance(instance);
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  // Decided before anything is touched: two copies started together must not both run.
  const ScopedKernelHandle mutex(::CreateMutexA(nullptr, TRUE, kRunningCopyMutex));
  bool owned = mutex && ::GetLastError() != ERROR_ALREADY_EXISTS;
  HWND running = FindRunningCopy(mutex.Get(), owned);
  // Neither found nor ours: the starting copy never showed a window.
  if (!running && mutex && !owned) return 1;

  // On defaults the start-with-Windows entry stays as the user left it.
  if (LoadAppSettings()) {
    bool autoStart = false;
    AppSettings().GetFlag(kAutoStartKey, autoStart);
    SetAutoStart(autoStart);
  }

  const std::string argument = NormaliseArgument(commandLine ? commandLine : "");
  // The running copy owns the data and thumbnails folders: a second copy that loaded the list
  // would purge a download that the running copy is storing right now, or its temporary files.
  if (running) return HandOffToRunningCopy(running, argument);
  WriteLog("Kolorowisko " KOLOROWISKO_VERSION " started");
  RemoveLeftoverFiles();
  // What the screens show stays in the store for a display change to draw again.
  AppWallpapers().KeepShownFiles(ShownPictureFiles());
  LoadAppWallpapers();

  RegisterUrlScheme();
  SetTaskbarCreatedMessage(::RegisterWindowMessageA("TaskbarCreated"));
  if (!RegisterTrayWindowClass(instance)) return 0;

  ScopedGdiplus gdiplus = StartGdiplus();

  HWND trayWindow = ::CreateWindowExA(0, kTrayWindowClass, kTrayWindowTitle, WS_OVERLAPPEDWINDOW,
                                      CW_USEDEFAULT, CW_USEDEFAULT, kTrayWindowWidth,
                                      kTrayWindowHeight, nullptr, nullptr, instance, nullptr);
  InitTrayIcon(trayWindow, kTrayWindowTitle);
  ::ShowWindow(trayWindow, SW_HIDE);
  AddTrayIcon();

  CarryOutStartupArgument(argument);
  const int exitCode = RunMessageLoop();

  DeleteTrayIcon();
  WriteLog("Kolorowisko " KOLOROWISKO_VERSION " ended");
  return exitCode;  // GDI+ shuts down as its session goes out of scope
}
