#include <algorithm>
#include <memory>

#include "image/image_win.h"
#include "image/two_threads_win.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// Draws the picture's centre crop into its frame, the frame placed at (x, y) of what graphics
// draws on: the part of it that lies there, the rest cut off.
bool DrawFrame(GpGraphics* graphics, GpBitmap* picture, const CropRectangle& frame, int x, int y) {
  UINT width = 0;
  UINT height = 0;
  GdipGetImageWidth(picture, &width);
  GdipGetImageHeight(picture, &height);
  const CropRectangle crop =
      CentreCrop(static_cast<int>(width), static_cast<int>(height), frame.width, frame.height);
  return GdipDrawImageRectRectI(graphics, picture, x, y, frame.width, frame.height, crop.x, crop.y,
                                crop.width, crop.height, UnitPixel, nullptr, nullptr,
                                nullptr) == Ok;
}

bool DrawInTurn(GpBitmap* target, const std::vector<FramedPicture>& pictures,
                InterpolationMode mode) {
  ScopedGdipGraphics graphics;
  if (GdipGetImageGraphicsContext(target, graphics.Receive()) != Ok) return false;
  GdipSetInterpolationMode(graphics.Get(), mode);
  return std::all_of(pictures.begin(), pictures.end(), [&](const FramedPicture& framed) {
    return DrawFrame(graphics.Get(), framed.picture, framed.frame, framed.frame.x, framed.frame.y);
  });
}

CropRectangle Overlap(const CropRectangle& a, const CropRectangle& b) {
  const int left = std::max(a.x, b.x);
  const int top = std::max(a.y, b.y);
  const int right = std::min(a.x + a.width, b.x + b.width);
  const int bottom = std::min(a.y + a.height, b.y + b.height);
  if (right <= left || bottom <= top) return {};
  return {left, top, right - left, bottom - top};
}

// One frame drawn on a thread of its own: into a bitmap over the part of the target's pixels
// that it covers, from a bitmap of its own over its picture's pixels.
struct FrameWork {
  CropRectangle frame;
  CropRectangle covered;
  ScopedGdipBitmap into;
  ScopedGdipBitmap from;
  bool drawn = false;

  void Draw(InterpolationMode mode) {
    ScopedGdipGraphics graphics;
    if (GdipGetImageGraphicsContext(into.Get(), graphics.Receive()) != Ok) return;
    GdipSetInterpolationMode(graphics.Get(), mode);
    drawn = DrawFrame(graphics.Get(), from.Get(), frame, frame.x - covered.x, frame.y - covered.y);
  }
};

// Each picture locked once, however many frames show it.
class LockedPictures {
 public:
  const LockedPixels& Of(GpBitmap* picture) {
    for (const auto& [locked, pixels] : pictures_) {
      if (locked == picture) return *pixels;
    }
    pictures_.emplace_back(picture, std::make_unique<LockedPixels>(picture, ImageLockModeRead));
    return *pictures_.back().second;
  }

 private:
  std::vector<std::pair<GpBitmap*, std::unique_ptr<LockedPixels>>> pictures_;
};

// The frames on two threads, split by the pixels they cover. Returns whether they could be drawn
// apart (the target's and every picture's pixels shared, the frames apart, a thread started);
// *drawn then says whether every one was.
bool DrawApart(GpBitmap* target, const std::vector<FramedPicture>& pictures, InterpolationMode mode,
               bool* drawn) {
  const LockedPixels targetPixels(target, ImageLockModeRead | ImageLockModeWrite);
  if (!targetPixels) return false;
  const CropRectangle whole{0, 0, targetPixels.Width(), targetPixels.Height()};
  LockedPictures sources;
  // Declared after the locks, so that every view goes before they do.
  std::vector<FrameWork> work;
  for (const FramedPicture& framed : pictures) {
    const CropRectangle covered = Overlap(framed.frame, whole);
    if (covered.width == 0) continue;
    for (const FrameWork& other : work) {
      if (Overlap(covered, other.covered).width != 0) return false;
    }
    FrameWork frame{framed.frame, covered, targetPixels.View(covered),
                    sources.Of(framed.picture).View()};
    if (!frame.into || !frame.from) return false;
    work.push_back(std::move(frame));
  }
  // The larger frames first, each to the thread with fewer pixels so far.
  std::vector<FrameWork*> order;
  for (FrameWork& frame : work) order.push_back(&frame);
  std::sort(order.begin(), order.end(), [](const FrameWork* a, const FrameWork* b) {
    return a->covered.width * a->covered.height > b->covered.width * b->covered.height;
  });
  std::vector<FrameWork*> here;
  std::vector<FrameWork*> alongside;
  long long herePixels = 0;
  long long alongsidePixels = 0;
  for (FrameWork* frame : order) {
    const long long pixels = static_cast<long long>(frame->covered.width) * frame->covered.height;
    if (herePixels <= alongsidePixels) {
      here.push_back(frame);
      herePixels += pixels;
    } else {
      alongside.push_back(frame);
      alongsidePixels += pixels;
    }
  }
  {
    JoinedThread other;
    if (!other.Start([&] {
          for (FrameWork* frame : alongside) frame->Draw(mode);
        })) {
      return false;
    }
    for (FrameWork* frame : here) frame->Draw(mode);
  }
  *drawn =
      std::all_of(work.begin(), work.end(), [](const FrameWork& frame) { return frame.drawn; });
  return true;
}

}  // namespace

ScopedGdipBitmap DrawCentreCrop(GpBitmap* source, int width, int height, PixelFormat format,
                                InterpolationMode mode) {
  return DrawCentreCrops(width, height, {{source, {0, 0, width, height}}}, format, mode);
}

ScopedGdipBitmap DrawCentreCrops(int width, int height, const std::vector<FramedPicture>& pictures,
                                 PixelFormat format, InterpolationMode mode) {
  ScopedGdipBitmap target;
  if (GdipCreateBitmapFromScan0(width, height, 0,
                                IsDrawableFormat(format) ? format : PixelFormat24bppRGB, nullptr,
                                target.Receive()) != Ok) {
    return ScopedGdipBitmap();
  }
  // A new bitmap's pixels are all zero, black: the gaps between frames need no fill, which would
  // cost about a third of drawing two screens. Several frames go on both cores: Wine's GDI+ reads
  // and converts each frame's crop of its picture anew, which about doubles the drawing.
  bool drawn = false;
  if (pictures.size() < 2 || !DrawApart(target.Get(), pictures, mode, &drawn)) {
    drawn = DrawInTurn(target.Get(), pictures, mode);
  }
  return drawn ? std::move(target) : ScopedGdipBitmap();
}
