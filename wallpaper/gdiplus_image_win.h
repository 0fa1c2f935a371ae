// GDI+ images read from and written to files named by ANSI paths, and the centre of an image
// drawn at a new size: the steps that the screen bitmap and the thumbnails share.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <string>

#include "app/scoped_gdiplus_win.h"

// The image in the file; empty when GDI+ cannot read it or it has no pixels.
ScopedGdipBitmap LoadImageFile(const std::string& path);

// A new width x height bitmap in the pixel format that shows the centre of source at that aspect
// ratio (CentreCrop), scaled with the interpolation mode; empty when it cannot be drawn. Formats
// that GDI+ cannot draw into become 24-bit RGB.
ScopedGdipBitmap DrawCentreCrop(Gdiplus::GpBitmap* source, int width, int height,
                                Gdiplus::PixelFormat format, Gdiplus::InterpolationMode mode);

// Encodes image with the encoder of mimeType into a temporary file that replaces path only when
// it is whole; false, with path as it was, when there is no such encoder or a step fails.
bool SaveImageFile(Gdiplus::GpImage* image, const std::string& path, const wchar_t* mimeType);
