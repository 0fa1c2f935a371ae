// GDI+ images read from and written to files named by ANSI paths, the centre of an image drawn
// at a new size, two drawings from one decoded picture at once, and move-only owners of GDI+
// objects and sessions.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <functional>
#include <string>
#include <vector>

#include "base/scoped_win.h"
#include "image/image.h"

template <typename Image>
struct GdipImageTraits {
  using Type = Image*;
  static Type Invalid() { return nullptr; }
  static void Close(Type image) { Gdiplus::DllExports::GdipDisposeImage(image); }
};
struct GdipGraphicsTraits {
  using Type = Gdiplus::GpGraphics*;
  static Type Invalid() { return nullptr; }
  static void Close(Type graphics) { Gdiplus::DllExports::GdipDeleteGraphics(graphics); }
};
struct GdiplusTokenTraits {
  using Type = ULONG_PTR;
  static Type Invalid() { return 0; }
  static void Close(Type token) { Gdiplus::GdiplusShutdown(token); }
};

using ScopedGdipBitmap = ScopedWin<GdipImageTraits<Gdiplus::GpBitmap>>;
using ScopedGdipGraphics = ScopedWin<GdipGraphicsTraits>;
// A started GDI+ session; shut down when it goes out of scope. Empty when GDI+ did not start.
using ScopedGdiplus = ScopedWin<GdiplusTokenTraits>;

// Starts GDI+ version 1 with its defaults (background thread, external codecs).
inline ScopedGdiplus StartGdiplus() {
  ScopedGdiplus session;
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(session.Receive(), &input, nullptr) != Gdiplus::Ok) session.Release();
  return session;
}

// The image in the file; empty when GDI+ cannot read it or it has no pixels.
ScopedGdipBitmap LoadImageFile(const std::string& path);

// True for the pixel formats that Windows' GDI+ draws into: not the indexed ones (a GIF, a
// greyscale JPEG), two of the 16-bit ones, nor CMYK (a JPEG from print work). Their pixels carry
// their own colours. Wine draws into more.
bool IsDrawableFormat(Gdiplus::PixelFormat format);

// A new width x height bitmap in the pixel format that shows the centre of source at that aspect
// ratio (CentreCrop), scaled with the interpolation mode; empty when it cannot be drawn. Formats
// that GDI+ cannot draw into become 24-bit RGB.
ScopedGdipBitmap DrawCentreCrop(Gdiplus::GpBitmap* source, int width, int height,
                                Gdiplus::PixelFormat format, Gdiplus::InterpolationMode mode);

// A picture and the rectangle of a bitmap that its centre crop fills.
struct FramedPicture {
  Gdiplus::GpBitmap* picture;
  CropRectangle frame;
};
// A new width x height bitmap in which each picture's centre, at its frame's aspect ratio, fills
// its frame (cut off where the frame reaches past the bitmap), by the rule and interpolation of
// DrawCentreCrop; black (all zero) where no frame lies. Empty when it cannot be drawn. Frames
// that lie apart are drawn on two threads, each picture read through views of its pixels (as
// DrawAtOnce), so the pictures must not be in use elsewhere meanwhile.
ScopedGdipBitmap DrawCentreCrops(int width, int height, const std::vector<FramedPicture>& pictures,
                                 Gdiplus::PixelFormat format, Gdiplus::InterpolationMode mode);

// Encodes image with the encoder of mimeType as path, written whole or not at all; false, with
// path as it was, when there is no such encoder or a step fails.
bool SaveImageFile(Gdiplus::GpImage* image, const std::string& path, const wchar_t* mimeType);

// Index of the GDI+ encoder of mimeType (its CLSID in *clsid), or -1.
int FindEncoderClsid(const wchar_t* mimeType, CLSID* clsid);

// True when the file can be read and its first bytes are a BMP, JPEG or PNG signature.
bool IsImageFile(const std::string& path);

// Calls here with a bitmap of picture's pixels and, at the same time on a second thread, alongside
// with another: two drawings from one decoded picture at once, without copying it (GDI+ lets one
// thread at a time use a bitmap, and a copy of a photograph costs about as much as drawing from
// it). When the pixels cannot be shared (a palette, a format GDI+ cannot lock) or no thread can be
// started, both are called here, one after the other, with the picture itself. Returns once both
// have; alongside must not throw.
void DrawAtOnce(Gdiplus::GpBitmap* picture, const std::function<void(Gdiplus::GpBitmap*)>& here,
                const std::function<void(Gdiplus::GpBitmap*)>& alongside);
