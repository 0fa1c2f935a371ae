// Move-only owners of GDI+ flat-API objects and of a GDI+ session, in the style of scoped_win.h.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include "app/scoped_win.h"

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
