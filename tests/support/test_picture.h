// Pictures for the image tests: written through GDI+ in any format it encodes, read back pixel
// by pixel, and checked for the quadrant pattern that shows where a centre crop landed.
// GDI+ must be running.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image/image.h"

using Argb = std::uint32_t;

struct Quadrants {
  Argb topLeft;
  Argb topRight;
  Argb bottomLeft;
  Argb bottomRight;
};

// Far apart in every channel that matters, and from the red of the margins.
constexpr Quadrants kQuadrants = {0xFF0000FF, 0xFF00FF00, 0xFFFFFF00, 0xFF000000};
constexpr Quadrants kOtherQuadrants = {0xFF000000, 0xFFFFFF00, 0xFF00FF00, 0xFF0000FF};
constexpr Argb kMarginColour = 0xFFFF0000;

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Argb> pixels;  // rows from the top
  Argb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A width x height picture, margin-red outside `centre` and the quadrants inside it, written
// with the encoder of mimeType.
bool WriteQuadrantPicture(const std::string& path, int width, int height,
                          const CropRectangle& centre, const wchar_t* mimeType,
                          const Quadrants& quadrants = kQuadrants);

// The picture in the file; width 0 when GDI+ cannot read it.
Picture ReadPicture(const std::string& path);

// Whether the picture is the quadrants alone, undistorted: each colour near its corners and
// beside the centre, `inset` pixels in from the edges and the centre lines, within `tolerance`
// per channel. A margin left in, a shifted crop or a stretched one shows as a wrong colour.
testing::AssertionResult ShowsQuadrants(const Picture& picture, int inset, int tolerance,
                                        const Quadrants& quadrants = kQuadrants);
