// The part of a picture that fills a frame of another shape without distortion: equal margins
// cut from the two long sides. Serves the screen bitmap and the thumbnails. Windows-free.
#pragma once

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
