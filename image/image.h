// Images: what the screen bitmap and the thumbnails share. This header holds the Windows-free
// rules (the centre crop, the signatures of the formats the program takes); image_win.h the
// GDI+ side (loading, drawing a crop, encoding, owners of GDI+ objects).
#pragma once

#include <cstddef>

// True when bytes begin with a BMP ("BM"), JPEG (FF D8 FF) or PNG (89 50 4E 47 0D 0A 1A 0A)
// signature; false when there are fewer bytes than the signature needs.
bool HasImageSignature(const unsigned char* bytes, std::size_t size);

// The part of a picture that fills a frame of another shape without distortion: equal margins
// cut from the two long sides.

struct CropRectangle {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

inline bool operator==(const CropRectangle& a, const CropRectangle& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// The centre of a sourceWidth x sourceHeight picture with the frame's aspect ratio. The ratios
// are single precision, the crop is truncated and the margins rounded down, so the rectangle can
// be a pixel larger than the exact crop. A size that is not positive gives the whole source.
CropRectangle CentreCrop(int sourceWidth, int sourceHeight, int frameWidth, int frameHeight);
