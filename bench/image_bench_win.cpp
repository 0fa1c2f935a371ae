// Figures for docs/performance.md, printed one to a line for bench/image:
//   screen <width> <height>
//   convert <file> <width>x<height> <x>,<y>,<w>,<h> <program ms> <bare GDI+ ms>
//   thumbnail <file> <ms>
//   load <entries> <median ms> <slowest ms>
// Each figure is the median of <runs> runs.
//
//   image_bench <runs> <work folder> <source.jpg>...
#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/path.h"
#include "base/text_win.h"
#include "image/image.h"
#include "image/image_win.h"
#include "recent/recent.h"
#include "wallpaper/desktop_wallpaper.h"

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

Size ImageSizeOf(const std::string& path) {
  ScopedGdipBitmap image;
  GdipCreateBitmapFromFile(AnsiToWide(path).c_str(), image.Receive());
  UINT width = 0;
  UINT height = 0;
  GdipGetImageWidth(image.Get(), &width);
  GdipGetImageHeight(image.Get(), &height);
  return {static_cast<int>(width), static_cast<int>(height)};
}

// The conversion's GDI+ calls alone: paths, encoder and crop are prepared beforehand.
void BareConversion(const std::wstring& source, const std::wstring& destination,
                    const CLSID& encoder, const Size& screen, const CropRectangle& crop) {
  ScopedGdipBitmap image;
  GdipCreateBitmapFromFile(source.c_str(), image.Receive());
  ScopedGdipBitmap target;
  GdipCreateBitmapFromScan0(screen.width, screen.height, 0, PixelFormat32bppARGB, nullptr,
                            target.Receive());
  ScopedGdipGraphics graphics;
  GdipGetImageGraphicsContext(target.Get(), graphics.Receive());
  GdipSetInterpolationMode(graphics.Get(), InterpolationModeHighQualityBicubic);
  GdipDrawImageRectRectI(graphics.Get(), image.Get(), 0, 0, screen.width, screen.height, crop.x,
                         crop.y, crop.width, crop.height, UnitPixel, nullptr, nullptr, nullptr);
  graphics.Reset();
  GdipSaveImageToFile(target.Get(), destination.c_str(), &encoder, nullptr);
}

void BenchmarkConversion(int runs, const std::string& source, const std::string& work) {
  const Size screen = {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  const Size size = ImageSizeOf(source);
  const CropRectangle crop = CentreCrop(size.width, size.height, screen.width, screen.height);
  CLSID bmp;
  FindEncoderClsid(L"image/bmp", &bmp);
  const std::string programOutput = work + "\\program.bmp";
  const std::wstring wideSource = AnsiToWide(source);
  const std::wstring bareOutput = AnsiToWide(work + "\\bare.bmp");

  // In turns, so that neither side has the warmer caches.
  std::vector<double> program;
  std::vector<double> bare;
  for (int i = 0; i < runs; ++i) {
    program.push_back(Milliseconds([&] { ConvertToScreenBitmap(source, programOutput); }));
    bare.push_back(
        Milliseconds([&] { BareConversion(wideSource, bareOutput, bmp, screen, crop); }));
  }
  std::printf("convert\t%s\t%dx%d\t%d,%d,%d,%d\t%.1f\t%.1f\n", FileName(source).c_str(), size.width,
              size.height, crop.x, crop.y, crop.width, crop.height, Summary(program).median,
              Summary(bare).median);
}

void BenchmarkThumbnail(int runs, const std::string& source, const std::string& work) {
  WallpaperList list;
  list.SetFolders(FolderOf(source), JoinPath(work, "thumbnails"));
  const Timings time = Measure(runs, [&] { list.MakeThumbnail(FileName(source)); });
  std::printf("thumbnail\t%s\t%.1f\n", FileName(source).c_str(), time.median);
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

}  // namespace

int main(int argc, char** argv) {
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
