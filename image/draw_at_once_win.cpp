#include <system_error>
#include <thread>

#include "image/image_win.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// Two bitmaps over the locked pixels of one picture, or the picture itself twice when its pixels
// cannot be shared. The picture must not be used itself while they live.
class PictureViews {
 public:
  explicit PictureViews(GpBitmap* picture) : picture_(picture) {
    PixelFormat format = 0;
    UINT width = 0;
    UINT height = 0;
    // Only formats whose pixels carry their own colours: a view would lack a palette.
    if (GdipGetImagePixelFormat(picture, &format) != Ok || !IsDrawableFormat(format) ||
        GdipGetImageWidth(picture, &width) != Ok || GdipGetImageHeight(picture, &height) != Ok) {
      return;
    }
    const GpRect whole(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    if (GdipBitmapLockBits(picture, &whole, ImageLockModeRead, format, &pixels_) != Ok) return;
    locked_ = true;
    for (ScopedGdipBitmap* view : {&first_, &second_}) {
      if (GdipCreateBitmapFromScan0(whole.Width, whole.Height, pixels_.Stride, format,
                                    static_cast<BYTE*>(pixels_.Scan0), view->Receive()) != Ok) {
        Release();
        return;
      }
    }
  }
  ~PictureViews() { Release(); }
  PictureViews(const PictureViews&) = delete;
  PictureViews& operator=(const PictureViews&) = delete;

  bool Shared() const { return locked_; }
  GpBitmap* First() const { return locked_ ? first_.Get() : picture_; }
  GpBitmap* Second() const { return locked_ ? second_.Get() : picture_; }

 private:
  void Release() {
    // The views point into the locked pixels: they go before the lock does.
    first_.Reset();
    second_.Reset();
    if (locked_) GdipBitmapUnlockBits(picture_, &pixels_);
    locked_ = false;
  }

  GpBitmap* picture_;
  BitmapData pixels_ = {};
  bool locked_ = false;
  ScopedGdipBitmap first_;
  ScopedGdipBitmap second_;
};

// Joins the thread when it goes, so that a thread never outlives the views it draws from.
class JoinedThread {
 public:
  JoinedThread() = default;
  ~JoinedThread() {
    if (thread_.joinable()) thread_.join();
  }
  JoinedThread(const JoinedThread&) = delete;
  JoinedThread& operator=(const JoinedThread&) = delete;

  // False when no thread could be started.
  template <typename Work>
  bool Start(Work&& work) {
    try {
      thread_ = std::thread(std::forward<Work>(work));
      return true;
    } catch (const std::system_error&) {
      return false;
    }
  }

 private:
  std::thread thread_;
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
