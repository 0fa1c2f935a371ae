#include "image/two_threads_win.h"

using namespace Gdiplus;

namespace {

// Two bitmaps over the locked pixels of one picture, or the picture itself twice when its pixels
// cannot be shared. The picture must not be used itself while they live.
class PictureViews {
 public:
  explicit PictureViews(GpBitmap* picture)
      : picture_(picture), pixels_(picture, ImageLockModeRead) {
    first_ = pixels_.View();
    second_ = pixels_.View();
    if (!first_ || !second_) {
      first_.Reset();
      second_.Reset();
    }
  }

  bool Shared() const { return static_cast<bool>(first_); }
  GpBitmap* First() const { return Shared() ? first_.Get() : picture_; }
  GpBitmap* Second() const { return Shared() ? second_.Get() : picture_; }

 private:
  GpBitmap* picture_;
  // The views point into the locked pixels: declared after them, they go first.
  LockedPixels pixels_;
  ScopedGdipBitmap first_;
  ScopedGdipBitmap second_;
};

}  // namespace

void DrawAtOnce(GpBitmap* picture, const std::function<void(GpBitmap*)>& here,
                const std::function<void(GpBitmap*)>& alongside) {
  const PictureViews views(picture);
  JoinedThread other;
  const bool apart = views.Shared() && other.Start([&] { alongside(views.Second()); });
  here(views.First());
  if (!apart) alongside(views.Second());
}
