#include "image/image.h"

#include <cstdlib>

namespace {

// 32-bit x87 code keeps intermediate results in 80-bit registers; a store through a volatile
// float rounds each step to single precision, so every build crops the very same pixels.
float Single(float value) {
  volatile float stored = value;
  return stored;
}

float Ratio(int width, int height) {
  return Single(static_cast<float>(width) / static_cast<float>(height));
}

}  // namespace

CropRectangle CentreCrop(int sourceWidth, int sourceHeight, int frameWidth, int frameHeight) {
  if (sourceWidth <= 0 || sourceHeight <= 0 || frameWidth <= 0 || frameHeight <= 0) {
    return {0, 0, sourceWidth, sourceHeight};
  }
  const float frameRatio = Ratio(frameWidth, frameHeight);
  const float sourceRatio = Ratio(sourceWidth, sourceHeight);
  if (frameRatio > sourceRatio) {
    // Relatively taller than the frame: cut top and bottom.
    const int cropHeight = static_cast<int>(Single(static_cast<float>(sourceWidth) / frameRatio));
    const int y = std::abs(cropHeight - sourceHeight) / 2;
    return {0, y, sourceWidth, sourceHeight - 2 * y};
  }
  const int cropWidth = static_cast<int>(Single(frameRatio * static_cast<float>(sourceHeight)));
  const int x = std::abs(cropWidth - sourceWidth) / 2;
  return {x, 0, sourceWidth - 2 * x, sourceHeight};
}
