// What drawing on two threads at once needs (inside image/ only): bitmaps over the locked pixels
// of one bitmap, each for a thread of its own (GDI+ lets one thread at a time use a bitmap, and a
// copy of a photograph costs about as much as drawing from it), and a thread joined when it goes.
#pragma once

#include <system_error>
#include <thread>
#include <utility>

#include "image/image_win.h"

// The pixels of a bitmap locked in its own format, for reading or for reading and writing. Only
// formats whose pixels carry their own colours: a view would lack a palette. Every view must go
// before this does.
class LockedPixels {
 public:
  LockedPixels(Gdiplus::GpBitmap* bitmap, UINT lockMode);
  ~LockedPixels();
  LockedPixels(const LockedPixels&) = delete;
  LockedPixels& operator=(const LockedPixels&) = delete;

  explicit operator bool() const { return locked_; }
  int Width() const { return static_cast<int>(pixels_.Width); }
  int Height() const { return static_cast<int>(pixels_.Height); }
  // A new bitmap over that rectangle of the pixels, which must lie inside them; empty when it
  // cannot be made.
  ScopedGdipBitmap View(const CropRectangle& rectangle) const;
  ScopedGdipBitmap View() const { return View({0, 0, Width(), Height()}); }

 private:
  Gdiplus::GpBitmap* bitmap_;
  Gdiplus::BitmapData pixels_ = {};
  bool locked_ = false;
};

// Joins the thread when it goes, so that a thread never outlives what it draws from.
class JoinedThread {
 public:
  JoinedThread() = default;
  ~JoinedThread() {
    if (thread_.joinable()) thread_.join();
  }
  JoinedThread(const JoinedThread&) = delete;
  JoinedThread& operator=(const JoinedThread&) = delete;

  // False when no thread could be started. The work must not throw.
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
