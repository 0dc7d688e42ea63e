// The drop shadow's picture when it has no shadow image: a soft, coloured copy
// of the parent window's outline (its region, row by row), shifted and blurred,
// with the window's own area cut out so that nothing shows through it.
//
// Pure functions over plain data; any thread.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/toolkit/geometry.h"
#include "ui/toolkit/image_data.h"

namespace Vellum {

// A half-open run [start, end) of columns inside the window on one row. A row
// with nothing inside is start = the window width, end = 0.
struct RowSpan {
  int start = 0;
  int end = 0;
  bool IsEmpty() const { return end <= start; }
};

struct ShadowParams {
  int size = 0;         // how far the shadow reaches beyond each side, -20..20
  int sharpness = 5;    // width of the soft edge, 0..20
  int darkness = 150;   // opacity of the darkest pixel, 0..255
  int xOffset = 5;      // shift, -20..20 each
  int yOffset = 5;
  uint32_t color = 0;   // red in the lowest byte, then green, then blue; the top byte is ignored
};

// Pixels as a 32-bit top-down DIB holds them: 0xAARRGGBB, colour premultiplied.
struct ShadowBitmap {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
  uint8_t AlphaAt(int x, int y) const { return static_cast<uint8_t>(At(x, y) >> 24); }
};

// The shadow colour at opacity alpha, each component multiplied by alpha / 255
// (integer division).
uint32_t ShadowDarkPixel(uint32_t color, uint8_t alpha);

struct RegionRect {
  int left = 0, top = 0, right = 0, bottom = 0;  // half-open, window coordinates
};

// Per row of a width x height window, the span of its region given as the
// rectangles the region is made of: from the first covered column to the one
// after the last (a rounded rectangle has one run per row). Parts outside the
// window are ignored.
std::vector<RowSpan> SpansFromRegion(const std::vector<RegionRect>& rects, int width, int height);

// The kernel stamped along the shadow's border: (2R+1)^2 pixels, R = max(size,
// sharpness), row by row.
std::vector<uint32_t> ShadowKernel(const ShadowParams& params);

// Sides beyond this give no shadow (a window is never that large).
constexpr int kMaxShadowSide = 16384;

// The whole shadow for a parent of parentSpans.size() rows and the given width:
// (width + 2 size) x (height + 2 size) pixels; empty when a side is not
// positive or exceeds kMaxShadowSide.
ShadowBitmap ComputeShadowPixels(const std::vector<RowSpan>& parentSpans, int parentWidth,
                                 const ShadowParams& params);

// The shadow drawn from a picture instead: the picture stretched over the whole
// width x height as a nine-grid with the given margins (the corners unscaled,
// the edges stretched along one side), its centre cell left empty, alpha kept.
// Margins larger than the picture or the target are cut to fit. Empty when a
// side is not positive or exceeds kMaxShadowSide.
ShadowBitmap ComposeShadowImage(const ImageData& image, const Rect& margins, int width, int height);

}  // namespace Vellum
