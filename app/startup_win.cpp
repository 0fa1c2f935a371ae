#include "app/startup.h"

#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>

#include "app/argument.h"
#include "base/app_paths_win.h"
#include "base/log.h"
#include "base/scoped_win.h"
#include "base/seam.h"
#include "base/user_interaction_win.h"
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

// How long a copy waits for the one that holds the mutex to show its window: its start-up loads
// the settings and the recent wallpapers first.
constexpr DWORD kStartingCopyWaitMs = 30000;
constexpr DWORD kStartingCopyPollMs = 100;

Seam<DWORD> g_startingCopyWaitMs(kStartingCopyWaitMs);

// The running copy's mutex, released on every way out of the run (closing the handle alone would
// leave it owned until the process is gone), so that a copy waiting for it takes over at once.
class RunningCopyMutex {
 public:
  RunningCopyMutex()
      : handle_(::CreateMutexA(nullptr, TRUE, kRunningCopyMutex)),
        owned_(handle_ && ::GetLastError() != ERROR_ALREADY_EXISTS) {}
  ~RunningCopyMutex() {
    if (owned_) ::ReleaseMutex(handle_.Get());
  }
  RunningCopyMutex(const RunningCopyMutex&) = delete;
  RunningCopyMutex& operator=(const RunningCopyMutex&) = delete;

  // False when no object could be made: then only a window tells of a running copy.
  bool Exists() const { return handle_.IsValid(); }
  bool Owned() const { return owned_; }
  // Owned also when the holder ended without releasing it.
  bool WaitToOwn(DWORD waitMs) {
    const DWORD wait = ::WaitForSingleObject(handle_.Get(), waitMs);
    owned_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    return owned_;
  }

 private:
  ScopedKernelHandle handle_;
  bool owned_;
};

// What a killed or crashed run was writing when it ended: downloads, wall.bmp, thumbnails and
// config.dat, each under a temporary name. Only the running copy may remove them.
void RemoveLeftoverFiles() {
  // Without a user folder each of these is empty, and nothing is looked at.
  for (const std::string& folder :
       {EnsureAppFolder(), EnsureDataFolder(), EnsureThumbnailsFolder()}) {
    RemoveLeftoverTemporaryFiles(folder);
  }
}

// Ours, or none could be made: this copy may run.
bool IsFree(const RunningCopyMutex& mutex) { return mutex.Owned() || !mutex.Exists(); }

// The running copy's window, or null when this copy is to run or nobody answered. A copy that
// started a moment earlier holds the mutex before its window exists, and one that is ending holds
// it after its window is gone: this one waits for the window, or takes the mutex when that copy
// ends first. A window without the mutex is a running copy too (an older version).
HWND FindRunningCopy(RunningCopyMutex& mutex) {
  for (DWORD waited = 0;; waited += kStartingCopyPollMs) {
    if (HWND window = ::FindWindowA(kTrayWindowClass, kTrayWindowTitle)) return window;
    if (IsFree(mutex) || waited >= g_startingCopyWaitMs.Get()) return nullptr;
    mutex.WaitToOwn(kStartingCopyPollMs);
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

int TellStartFailed() {
  ShowMessageBox(nullptr,
                 L"Kolorowisko nie mogło się uruchomić: system nie utworzył jego okna. Uruchom je "
                 L"ponownie.",
                 L"Kolorowisko", MB_OK | MB_ICONERROR);
  return 1;
}

// The running copy's run, from its tray window to the end of the message loop.
int RunAsTheRunningCopy(HINSTANCE instance, const std::string& argument) {
  WriteLog("Kolorowisko " KOLOROWISKO_VERSION " started");
  // First, so that a copy that cannot run leaves the folders and the registry as they were.
  const std::unique_ptr<TrayWindow> tray = TrayWindow::Create(instance);
  if (!tray) return TellStartFailed();
  RemoveLeftoverFiles();
  // What the screens show stays in the store for a display change to draw again.
  AppWallpapers().KeepShownFiles(ShownPictureFiles());
  LoadAppWallpapers();
  RegisterUrlScheme();
  ScopedGdiplus gdiplus = StartGdiplus();

  // The command line comes from a link of the program's scheme.
  CarryOutRequest(RequestFromArgument(argument), ChangeOrigin::Link);
  const int exitCode = RunMessageLoop();
  WriteLog("Kolorowisko " KOLOROWISKO_VERSION " ended");
  return exitCode;  // GDI+ shuts down, then the window goes if the loop ended without it
}

}  // namespace

int RunProgram(HINSTANCE instance, const char* commandLine) {
  SetAppInstance(instance);
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  const std::string argument = NormaliseArgument(commandLine ? commandLine : "");
  // Decided before anything is touched: two copies started together must not both run.
  RunningCopyMutex mutex;
  for (;;) {
    HWND running = FindRunningCopy(mutex);
    // Neither found nor ours: the copy that holds the mutex neither showed a window nor ended.
    if (!running && !IsFree(mutex)) {
      return TellNoRunningCopyAnswered(argument, g_startingCopyWaitMs.Get());
    }
    // On defaults the start-with-Windows entry stays as the user left it.
    if (LoadAppSettings()) {
      bool autoStart = false;
      AppSettings().GetFlag(kAutoStartKey, autoStart);
      SetAutoStart(autoStart);
    }
    // The running copy owns the data and thumbnails folders: a second copy that loaded the list
    // would purge a download that the running copy is storing right now, or its temporary files.
    if (!running) return RunAsTheRunningCopy(instance, argument);
    if (const std::optional<int> exitCode = HandOffToRunningCopy(running, argument)) {
      return *exitCode;
    }
    // Its window went as the argument came: that copy is ending, and this one runs once it has
    // gone (the settings are read again then, as that copy may have saved them last).
  }
}

DWORD SetStartingCopyWait(DWORD waitMs) { return g_startingCopyWaitMs.Replace(waitMs); }
