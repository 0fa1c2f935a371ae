// Figures for docs/performance.md, printed one to a line for bench/image:
//   screen <width> <height>
//   convert <file> <width>x<height> <x>,<y>,<w>,<h> <program ms> <bare GDI+ ms>
//   thumbnail <file> <program ms> <bare GDI+ ms>
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
#include <utility>
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
