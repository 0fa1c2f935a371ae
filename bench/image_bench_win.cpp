// Figures for docs/performance.md, printed one to a line for bench/image:
//   screen <width> <height>
//   convert <file> <width>x<height> <x>,<y>,<w>,<h> <program ms> <bare GDI+ ms>
//   thumbnail <file> <program ms> <bare GDI+ ms>
//   load <entries> <median ms> <slowest ms>
// Each figure is the median of <runs> runs.
//
//   image_bench <runs> <work folder> <source.jpg>...
//
// With "screens" first, the wallpaper of several monitors instead, the program's folder in the work
// folder and the monitors stood in (one: the screen; two: 1920x1080 and 1280x1024 to its right):
//   layout <one> <two>                     the layouts as the program logs them
//   change <file> <kind> <one ms> <two ms> the same change on one and on two screens, in turns:
//                                          "stored" ApplyDesktopImage of the data folder's
//                                          copy of the file, "decoded" ShowOnEveryScreen of it
//   refit <file> <program ms> <bare ms>    RefitWallpaperToScreens on two screens beside the bare
//                                          GDI+ calls: load, the bounding-size bitmap, each
//                                          monitor's centre crop, BMP save; in turns
//   part <file> <step> <one ms> <two ms>   steps of a change, each on its own (<one ms> -1 for a
//                                          step that one screen's change leaves out)
//
//   image_bench screens <runs> <work folder> <source.jpg>...
#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "base/app_paths_win.h"
#include "base/path.h"
#include "base/text_win.h"
#include "image/image.h"
#include "image/image_win.h"
#include "recent/recent.h"
#include "wallpaper/desktop_wallpaper.h"
#include "wallpaper/screen_layout.h"
#include "wallpaper/screens_win.h"
#include "wallpaper/wallpaper.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

constexpr int kStoreSize = 500;

struct Timings {
  double median = 0;
  double slowest = 0;
};

template <typename Work>
double Milliseconds(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  return spent.count();
}

Timings Summary(std::vector<double> milliseconds) {
  std::sort(milliseconds.begin(), milliseconds.end());
  return {milliseconds[milliseconds.size() / 2], milliseconds.back()};
}

template <typename Work>
Timings Measure(int runs, Work work) {
  std::vector<double> milliseconds;
  for (int i = 0; i < runs; ++i) milliseconds.push_back(Milliseconds(work));
  return Summary(milliseconds);
}

std::string FileName(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

struct Size {
  int width = 0;
  int height = 0;
};

struct Picture {
  Size size;
  PixelFormat format = PixelFormat24bppRGB;
};

Picture PictureOf(const std::string& path) {
  ScopedGdipBitmap image;
  GdipCreateBitmapFromFile(AnsiToWide(path).c_str(), image.Receive());
  UINT width = 0;
  UINT height = 0;
  Picture picture;
  GdipGetImageWidth(image.Get(), &width);
  GdipGetImageHeight(image.Get(), &height);
  GdipGetImagePixelFormat(image.Get(), &picture.format);
  picture.size = {static_cast<int>(width), static_cast<int>(height)};
  return picture;
}

// A scaled copy's GDI+ calls alone: paths, encoder, crop and format are prepared beforehand.
struct BareScaling {
  std::wstring destination;
  CLSID encoder;
  Size size;
  CropRectangle crop;
  PixelFormat format;
  InterpolationMode mode;
};

void BareScaledCopy(const std::wstring& source, const BareScaling& to) {
  ScopedGdipBitmap image;
  GdipCreateBitmapFromFile(source.c_str(), image.Receive());
  ScopedGdipBitmap target;
  GdipCreateBitmapFromScan0(to.size.width, to.size.height, 0, to.format, nullptr, target.Receive());
  ScopedGdipGraphics graphics;
  GdipGetImageGraphicsContext(target.Get(), graphics.Receive());
  GdipSetInterpolationMode(graphics.Get(), to.mode);
  GdipDrawImageRectRectI(graphics.Get(), image.Get(), 0, 0, to.size.width, to.size.height,
                         to.crop.x, to.crop.y, to.crop.width, to.crop.height, UnitPixel, nullptr,
                         nullptr, nullptr);
  graphics.Reset();
  GdipSaveImageToFile(target.Get(), to.destination.c_str(), &to.encoder, nullptr);
}

// In turns, so that neither side has the warmer caches; the medians of both.
template <typename Program, typename Bare>
std::pair<double, double> InTurns(int runs, Program program, Bare bare) {
  std::vector<double> programMs;
  std::vector<double> bareMs;
  for (int i = 0; i < runs; ++i) {
    programMs.push_back(Milliseconds(program));
    bareMs.push_back(Milliseconds(bare));
  }
  return {Summary(programMs).median, Summary(bareMs).median};
}

CLSID EncoderOf(const wchar_t* mimeType) {
  CLSID encoder = {};
  FindEncoderClsid(mimeType, &encoder);
  return encoder;
}

void BenchmarkConversion(int runs, const std::string& source, const std::string& work) {
  const Size screen = {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  const Size size = PictureOf(source).size;
  const CropRectangle crop = CentreCrop(size.width, size.height, screen.width, screen.height);
  const std::string programOutput = work + "\\program.bmp";
  const std::wstring wideSource = AnsiToWide(source);
  const BareScaling bare = {AnsiToWide(work + "\\bare.bmp"),
                            EncoderOf(L"image/bmp"),
                            screen,
                            crop,
                            PixelFormat32bppARGB,
                            InterpolationModeHighQualityBicubic};
  const auto [program, bareMs] = InTurns(
      runs, [&] { ConvertToScreenBitmap(source, programOutput); },
      [&] { BareScaledCopy(wideSource, bare); });
  std::printf("convert\t%s\t%dx%d\t%d,%d,%d,%d\t%.1f\t%.1f\n", FileName(source).c_str(), size.width,
              size.height, crop.x, crop.y, crop.width, crop.height, program, bareMs);
}

void BenchmarkThumbnail(int runs, const std::string& source, const std::string& work) {
  WallpaperList list;
  list.SetFolders(FolderOf(source), JoinPath(work, "thumbnails"));
  const Picture picture = PictureOf(source);
  const Size thumbnail = {WallpaperList::kThumbnailWidth, WallpaperList::kThumbnailHeight};
  const BareScaling bare = {
      AnsiToWide(work + "\\bare.jpg"),
      EncoderOf(L"image/jpeg"),
      thumbnail,
      CentreCrop(picture.size.width, picture.size.height, thumbnail.width, thumbnail.height),
      picture.format,
      InterpolationModeDefault};
  const std::wstring wideSource = AnsiToWide(source);
  const auto [program, bareMs] = InTurns(
      runs, [&] { list.MakeThumbnail(FileName(source)); },
      [&] { BareScaledCopy(wideSource, bare); });
  std::printf("thumbnail\t%s\t%.1f\t%.1f\n", FileName(source).c_str(), program, bareMs);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

// A full store: 500 thumbnails (copies of a real one) and their 500 data files.
void BenchmarkLoad(int runs, const std::string& thumbnail, const std::string& work) {
  const std::string data = work + "\\store-data";
  const std::string thumbnails = work + "\\store-thumbnails";
  ::CreateDirectoryA(data.c_str(), nullptr);
  ::CreateDirectoryA(thumbnails.c_str(), nullptr);
  for (int i = 0; i < kStoreSize; ++i) {
    const std::string name = "\\" + std::to_string(100000 + i) + ".jpg";
    ::CopyFileA(thumbnail.c_str(), (thumbnails + name).c_str(), FALSE);
    WriteBytes(data + name, "picture");
  }
  WallpaperList list;
  list.SetFolders(data, thumbnails);
  const Timings time = Measure(runs, [&] { list.Load(); });
  std::printf("load\t%zu\t%.1f\t%.1f\n", list.Entries().size(), time.median, time.slowest);
}

// The program's folder (AppFolder) inside the work folder, so that the benchmark leaves the
// session's user folder alone.
std::string g_localAppData;

HRESULT WINAPI WorkFolderLookup(HWND, int, HANDLE, DWORD, LPSTR path) {
  lstrcpynA(path, g_localAppData.c_str(), MAX_PATH);
  return S_OK;
}

std::vector<Monitor> OneMonitor() { return {{"\\\\.\\DISPLAY1", 0, 0, 1920, 1080, true}}; }
std::vector<Monitor> TwoMonitors() {
  return {{"\\\\.\\DISPLAY1", 0, 0, 1920, 1080, true},
          {"\\\\.\\DISPLAY2", 1920, 0, 1280, 1024, false}};
}

// Set when a timed call of the program fails: its time would not be a change's.
bool g_failed = false;

void Check(bool done, const char* what) {
  if (done) return;
  std::fprintf(stderr, "%s failed\n", what);
  g_failed = true;
}

// The same work on one screen and on two, in turns: the medians of both.
template <typename Work>
std::pair<double, double> OneAndTwo(int runs, Work work) {
  return InTurns(
      runs,
      [&] {
        SetMonitorReader(OneMonitor);
        work();
      },
      [&] {
        SetMonitorReader(TwoMonitors);
        work();
      });
}

// What a stored picture's change and a re-fit do, step by step, for each layout.
void BenchmarkScreenSteps(int runs, const std::string& stored, const std::string& name) {
  const std::string wall = JoinPath(EnsureDataFolder(), "wall.bmp");
  const auto print = [&](const char* step, std::pair<double, double> ms) {
    std::printf("part\t%s\t%s\t%.1f\t%.1f\n", name.c_str(), step, ms.first, ms.second);
  };
  const double load = Measure(runs, [&] { LoadImageFile(stored); }).median;
  print("LoadImageFile", {load, load});
  ScopedGdipBitmap picture = LoadImageFile(stored);
  const auto draw = [&] {
    const Screens screens = CurrentScreens();
    DrawWallpaper(screens, std::vector<Gdiplus::GpBitmap*>(screens.monitors.size(), picture.Get()));
  };
  print("CurrentScreens and DrawWallpaper", OneAndTwo(runs, draw));
  SetMonitorReader(OneMonitor);
  Screens screens = CurrentScreens();
  ScopedGdipBitmap one = DrawWallpaper(screens, {picture.Get()});
  SetMonitorReader(TwoMonitors);
  screens = CurrentScreens();
  ScopedGdipBitmap two = DrawWallpaper(screens, {picture.Get(), picture.Get()});
  const auto [saveOne, saveTwo] = InTurns(
      runs, [&] { SaveImageFile(one.Get(), wall, L"image/bmp"); },
      [&] { SaveImageFile(two.Get(), wall, L"image/bmp"); });
  print("SaveImageFile of wall.bmp", {saveOne, saveTwo});
  const auto set = [&](Gdiplus::GpBitmap* bitmap) {
    SaveImageFile(bitmap, wall, L"image/bmp");
    std::string path = wall;
    return Milliseconds(
        [&] { ::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, &path[0], SPIF_UPDATEINIFILE); });
  };
  std::vector<double> setOne;
  std::vector<double> setTwo;
  for (int i = 0; i < runs; ++i) {
    setOne.push_back(set(one.Get()));
    setTwo.push_back(set(two.Get()));
  }
  print("SystemParametersInfoA of wall.bmp", {Summary(setOne).median, Summary(setTwo).median});
}

void BenchmarkScreens(int runs, const std::string& source) {
  const std::string name = FileName(source);
  const std::string stored = JoinPath(EnsureDataFolder(), name);
  ::CopyFileA(source.c_str(), stored.c_str(), FALSE);

  const auto [storedOne, storedTwo] = OneAndTwo(
      runs, [&] { Check(ApplyDesktopImage(stored) == ChangeFailure::None, "ApplyDesktopImage"); });
  std::printf("change\t%s\tstored\t%.1f\t%.1f\n", name.c_str(), storedOne, storedTwo);
  {
    ScopedGdipBitmap picture = LoadImageFile(stored);
    const auto [one, two] = OneAndTwo(runs, [&] {
      Check(ShowOnEveryScreen(picture.Get(), name) == ChangeFailure::None, "ShowOnEveryScreen");
    });
    std::printf("change\t%s\tdecoded\t%.1f\t%.1f\n", name.c_str(), one, two);
  }

  // A picture shown on two screens, then the display changes: the program draws it again.
  SetMonitorReader(TwoMonitors);
  Check(ApplyDesktopImage(stored) == ChangeFailure::None, "ApplyDesktopImage");
  const Screens screens = CurrentScreens();
  const BareScaling bare = {AnsiToWide(JoinPath(FolderOf(stored), "bare.bmp")),
                            EncoderOf(L"image/bmp"),
                            {screens.plan.width, screens.plan.height},
                            {},
                            PixelFormat32bppARGB,
                            InterpolationModeHighQualityBicubic};
  const Size size = PictureOf(stored).size;
  std::vector<std::pair<CropRectangle, CropRectangle>> frames;
  for (const PictureFrame& frame : screens.plan.frames) {
    frames.push_back(
        {frame.frame, CentreCrop(size.width, size.height, frame.frame.width, frame.frame.height)});
  }
  const std::wstring wideStored = AnsiToWide(stored);
  const auto [program, bareMs] = InTurns(
      runs, [&] { Check(RefitWallpaperToScreens(), "RefitWallpaperToScreens"); },
      [&] {
        ScopedGdipBitmap image;
        GdipCreateBitmapFromFile(wideStored.c_str(), image.Receive());
        ScopedGdipBitmap target;
        GdipCreateBitmapFromScan0(bare.size.width, bare.size.height, 0, bare.format, nullptr,
                                  target.Receive());
        ScopedGdipGraphics graphics;
        GdipGetImageGraphicsContext(target.Get(), graphics.Receive());
        GdipSetInterpolationMode(graphics.Get(), bare.mode);
        for (const auto& [frame, crop] : frames) {
          GdipDrawImageRectRectI(graphics.Get(), image.Get(), frame.x, frame.y, frame.width,
                                 frame.height, crop.x, crop.y, crop.width, crop.height, UnitPixel,
                                 nullptr, nullptr, nullptr);
        }
        graphics.Reset();
        GdipSaveImageToFile(target.Get(), bare.destination.c_str(), &bare.encoder, nullptr);
      });
  std::printf("refit\t%s\t%.1f\t%.1f\n", name.c_str(), program, bareMs);
  BenchmarkScreenSteps(runs, stored, name);
}

int ScreensMain(int runs, const std::string& work, const std::vector<std::string>& sources) {
  g_localAppData = work;
  SetFolderPathLookup(WorkFolderLookup);
  std::string layouts = "layout";
  for (MonitorReader reader : {OneMonitor, TwoMonitors}) {
    SetMonitorReader(reader);
    const Screens screens = CurrentScreens();
    layouts += "\t" + LayoutLogText(screens.monitors, screens.arrangement) + " " +
               std::to_string(screens.plan.width) + "x" + std::to_string(screens.plan.height);
  }
  std::printf("%s\n", layouts.c_str());
  // Once untimed: the first drawing and setting of a process also set up the display.
  SetMonitorReader(TwoMonitors);
  ApplyDesktopImage(sources.front());
  for (const std::string& source : sources) BenchmarkScreens(runs, source);
  return g_failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 5 && std::string(argv[1]) == "screens") {
    const ScopedGdiplus gdiplus = StartGdiplus();
    return ScreensMain(std::max(1, std::atoi(argv[2])), argv[3],
                       std::vector<std::string>(argv + 4, argv + argc));
  }
  if (argc < 4) {
    std::fprintf(stderr, "usage: image_bench <runs> <work folder> <source.jpg>...\n");
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[1]));
  const std::string work = argv[2];
  const ScopedGdiplus gdiplus = StartGdiplus();
  std::printf("screen\t%d\t%d\n", ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  // Once untimed: the first drawing of a process also sets up the display.
  ConvertToScreenBitmap(argv[3], work + "\\warm-up.bmp");

  for (int i = 3; i < argc; ++i) BenchmarkConversion(runs, argv[i], work);
  for (int i = 3; i < argc; ++i) BenchmarkThumbnail(runs, argv[i], work);
  BenchmarkLoad(std::max(runs, 10), work + "\\thumbnails\\" + FileName(argv[3]), work);
  return 0;
}
