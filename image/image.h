// Images: what the screen bitmap and the thumbnails share. This header holds the Windows-free
// rules (the centre crop, the signatures of the formats the program takes); image_win.h the
// GDI+ side (loading, drawing a crop, encoding, owners of GDI+ objects).
#pragma once

#include <cstddef>

// True when bytes begin with a BMP ("BM"), JPEG (FF D8 FF) or PNG (89 50 4E 47 0D 0A 1A 0A)
// signature; false when there are fewer bytes than the signature needs.
bool HasImageSignature(const unsigned char* bytes, std::size_t size);

// Follows an image file's structure as its bytes arrive, to tell a whole file from one cut short:
// a JPEG is whole once its end-of-image marker has come (outside its segments and entropy-coded
// data), a PNG once its IEND chunk has, a BMP once it holds the size its header declares. Bytes
// after that do not matter. Anything else, and a file whose structure breaks, is never whole.
class ImageCompleteness {
 public:
  void Feed(const unsigned char* bytes, std::size_t size);
  bool Whole() const { return state_ == State::Whole; }

 private:
  enum class State {
    Head,
    JpegMarkerStart,
    JpegMarkerCode,
    JpegLengthHigh,
    JpegLengthLow,
    JpegEntropy,
    JpegEntropyFF,
    PngChunkHead,
    BmpBody,
    Whole,
    Broken
  };
  void ReadHead();
  void JpegMarker(unsigned char code);
  void Step(unsigned char byte);

  State state_ = State::Head;
  unsigned char head_[8] = {};
  std::size_t headSize_ = 0;
  unsigned long long skip_ = 0;  // bytes to pass over before the next structure
  unsigned char marker_ = 0;
  unsigned lengthHigh_ = 0;
  bool iend_ = false;              // the chunk being passed over is IEND
  bool afterSkipEntropy_ = false;  // the segment being passed over is a scan's header
};

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
