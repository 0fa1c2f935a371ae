#include "wallpaper/screens_win.h"

#include <functional>
#include <map>

#include "base/app_paths_win.h"
#include "base/log.h"
#include "base/path.h"
#include "base/registry_win.h"
#include "base/seam.h"
#include "base/text_win.h"
#include "base/whole_file_win.h"
#include "recent/recent.h"
#include "wallpaper/desktop_wallpaper.h"

namespace {

constexpr char kShownPicturesFile[] = "screens.txt";

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM monitors) {
  MONITORINFOEXA info = {};
  info.cbSize = sizeof info;
  if (!::GetMonitorInfoA(handle, &info)) return TRUE;
  Monitor monitor;
  monitor.device = info.szDevice;
  monitor.x = info.rcMonitor.left;
  monitor.y = info.rcMonitor.top;
  monitor.width = info.rcMonitor.right - info.rcMonitor.left;
  monitor.height = info.rcMonitor.bottom - info.rcMonitor.top;
  monitor.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  reinterpret_cast<std::vector<Monitor>*>(monitors)->push_back(monitor);
  return TRUE;
}

std::vector<Monitor> EnumerateMonitors() {
  std::vector<Monitor> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

// Each display's current mode: its physical size and place, whatever scaling tells this program.
bool ReadDisplayModes(std::vector<Monitor>& monitors) {
  for (Monitor& monitor : monitors) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    if (!::EnumDisplaySettingsA(monitor.device.c_str(), ENUM_CURRENT_SETTINGS, &mode) ||
        mode.dmPelsWidth == 0 || mode.dmPelsHeight == 0) {
      return false;
    }
    monitor.x = mode.dmPosition.x;
    monitor.y = mode.dmPosition.y;
    monitor.width = static_cast<int>(mode.dmPelsWidth);
    monitor.height = static_cast<int>(mode.dmPelsHeight);
  }
  return true;
}

std::vector<Monitor> ReadMonitors() {
  std::vector<Monitor> monitors;
  if (InPerMonitorAwareContext([&monitors] { monitors = EnumerateMonitors(); })) return monitors;
  monitors = EnumerateMonitors();
  std::vector<Monitor> physical = monitors;
  return ReadDisplayModes(physical) ? physical : monitors;
}

Seam<MonitorReader> g_monitorReader(ReadMonitors);

struct WindowsVersion {
  unsigned long major = 0;
  unsigned long minor = 0;
};

// RtlGetVersion, unlike GetVersionEx, answers the true version whatever the program's manifest
// claims; the program does not link ntdll, so it is looked up at run time.
WindowsVersion QueryWindowsVersion() {
  using RtlGetVersionFunction = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
  WindowsVersion version;
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  if (!ntdll) return version;
  auto rtlGetVersion =
      reinterpret_cast<RtlGetVersionFunction>(::GetProcAddress(ntdll, "RtlGetVersion"));
  if (!rtlGetVersion) return version;
  RTL_OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof info;
  if (rtlGetVersion(&info) != 0) return version;
  version.major = info.dwMajorVersion;
  version.minor = info.dwMinorVersion;
  return version;
}

void WriteDesktopStyle(const DesktopStyle& style) {
  // Opened, never created: a profile without the key is left alone.
  ScopedRegKey desktop = OpenUserKey("Control Panel\\Desktop");
  if (!desktop) return;
  SetStringValue(desktop.Get(), "TileWallpaper", style.tileWallpaper);
  SetStringValue(desktop.Get(), "WallpaperStyle", style.wallpaperStyle);
}

std::string ShownPicturesPath() { return JoinPath(AppFolderPath(), kShownPicturesFile); }

void RecordShownPictures(const Screens& screens, const std::vector<std::string>& files) {
  std::vector<ShownPicture> shown;
  for (std::size_t i = 0; i < screens.monitors.size() && i < files.size(); ++i) {
    // A screen whose picture was not kept cannot be drawn again: the record ends.
    if (files[i].empty()) break;
    shown.push_back({screens.monitors[i].device, files[i]});
  }
  WriteWholeFile(ShownPicturesPath(), FormatShownPictures(shown));
  std::vector<std::string> names;
  for (const ShownPicture& picture : shown) names.push_back(picture.file);
  AppWallpapers().KeepShownFiles(std::move(names));
}

}  // namespace

bool InPerMonitorAwareContext(const std::function<void()>& measure) {
  // Windows 10 (1607) on; looked up at run time, as older systems lack it.
  using SetContext = HANDLE(WINAPI*)(HANDLE);
  const auto setContext = reinterpret_cast<SetContext>(
      ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext"));
  if (!setContext) return false;
  HANDLE previous = setContext(reinterpret_cast<HANDLE>(-4));          // per-monitor v2
  if (!previous) previous = setContext(reinterpret_cast<HANDLE>(-3));  // per-monitor
  if (!previous) return false;
  measure();
  // The rest of the program stays unaware: the settings window keeps its scaled size.
  setContext(previous);
  return true;
}

std::vector<Monitor> DesktopMonitors() {
  std::vector<Monitor> monitors = g_monitorReader.Get()();
  SortMonitors(monitors);
  return monitors;
}

MonitorReader SetMonitorReader(MonitorReader replacement) {
  return g_monitorReader.Replace(replacement);
}

Screens CurrentScreens() {
  Screens screens;
  screens.monitors = DesktopMonitors();
  if (screens.monitors.size() <= 1) {
    // One screen is measured as it always was, the monitors' list aside.
    Monitor primary = screens.monitors.empty() ? Monitor() : screens.monitors.front();
    const ScreenSize size = PrimaryScreenSize();
    primary.x = 0;
    primary.y = 0;
    primary.width = size.width;
    primary.height = size.height;
    primary.primary = true;
    screens.monitors = {primary};
  }
  const WindowsVersion version = QueryWindowsVersion();
  screens.arrangement = ArrangementFor(screens.monitors.size(), version.major, version.minor);
  screens.style = DesktopStyleFor(screens.arrangement, version.major, version.minor);
  screens.plan = PlanWallpaper(screens.monitors, screens.arrangement);
  return screens;
}

ScopedGdipBitmap DrawWallpaper(const Screens& screens,
                               const std::vector<Gdiplus::GpBitmap*>& pictures) {
  std::vector<FramedPicture> framed;
  for (const PictureFrame& frame : screens.plan.frames) {
    if (frame.monitor >= pictures.size() || !pictures[frame.monitor]) return ScopedGdipBitmap();
    framed.push_back({pictures[frame.monitor], frame.frame});
  }
  if (framed.empty()) return ScopedGdipBitmap();
  return DrawCentreCrops(screens.plan.width, screens.plan.height, framed, PixelFormat32bppARGB,
                         Gdiplus::InterpolationModeHighQualityBicubic);
}

ChangeFailure SetWallpaper(Gdiplus::GpBitmap* wallpaper, const Screens& screens,
                           const std::vector<std::string>& files) {
  // Told when it is not the one the log told last: a run on one desk says it once.
  static std::string loggedLayout;
  const std::string layout = LayoutLogText(screens.monitors, screens.arrangement);
  if (layout != loggedLayout) WriteLog("layout: " + layout);
  loggedLayout = layout;
  std::string bitmapPath = JoinPath(EnsureDataFolder(), "wall.bmp");
  if (!SaveImageFile(wallpaper, bitmapPath, L"image/bmp")) {
    WriteLog("wall.bmp could not be saved");
    return ChangeFailure::CannotSave;
  }
  WriteDesktopStyle(screens.style);
  // The profile is updated and the desktop repaints; no settings-change broadcast is sent.
  if (!::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, &bitmapPath[0], SPIF_UPDATEINIFILE)) {
    return ChangeFailure::CannotSet;
  }
  RecordShownPictures(screens, files);
  return ChangeFailure::None;
}

ChangeFailure ShowOnEveryScreen(Gdiplus::GpBitmap* picture, const std::string& file) {
  const Screens screens = CurrentScreens();
  const std::size_t count = screens.monitors.size();
  ScopedGdipBitmap wallpaper =
      DrawWallpaper(screens, std::vector<Gdiplus::GpBitmap*>(count, picture));
  if (!wallpaper) return ChangeFailure::CannotConvert;
  return SetWallpaper(wallpaper.Get(), screens, std::vector<std::string>(count, file));
}

std::vector<ShownPicture> ReadShownPictures() {
  std::string text;
  if (!ReadWholeFile(ShownPicturesPath(), text)) return {};
  return ParseShownPictures(text);
}

std::vector<std::string> ShownPictureFiles() {
  std::vector<std::string> files;
  for (const ShownPicture& picture : ReadShownPictures()) files.push_back(picture.file);
  return files;
}

bool RefitWallpaperToScreens() {
  const std::vector<ShownPicture> shown = ReadShownPictures();
  if (shown.empty()) {
    WriteLog("display changed: no picture of the program's to re-fit");
    return false;
  }
  const Screens screens = CurrentScreens();
  const std::string dataFolder = EnsureDataFolder();
  // Each picture decoded once, however many screens show it.
  std::map<std::string, ScopedGdipBitmap> decoded;
  std::vector<Gdiplus::GpBitmap*> pictures;
  std::vector<std::string> files;
  for (const Monitor& monitor : screens.monitors) {
    const std::string file = ShownFileFor(shown, monitor.device);
    ScopedGdipBitmap& picture = decoded[file];
    if (!picture) picture = LoadImageFile(JoinPath(dataFolder, file));
    if (!picture) {
      WriteLog("re-fit failed: " + AnsiToUtf8(file) + " cannot be read");
      return false;
    }
    pictures.push_back(picture.Get());
    files.push_back(file);
  }
  ScopedGdipBitmap wallpaper = DrawWallpaper(screens, pictures);
  const ChangeFailure set =
      wallpaper ? SetWallpaper(wallpaper.Get(), screens, files) : ChangeFailure::CannotConvert;
  // The pictures' files stay open while GDI+ holds them; they are let go before anything else.
  decoded.clear();
  if (set != ChangeFailure::None) {
    WriteLog(std::string("re-fit failed: ") + ChangeFailureText(set));
    return false;
  }
  WriteLog("re-fitted to " + std::to_string(screens.monitors.size()) +
           (screens.monitors.size() == 1 ? " screen" : " screens"));
  return true;
}
