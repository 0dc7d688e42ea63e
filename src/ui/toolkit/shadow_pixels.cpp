#include "ui/toolkit/shadow_pixels.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace Vellum {

namespace {

// Rows of the working table, which has an empty row before and after the shadow's rows.
struct SpanTable {
  std::vector<RowSpan> rows;
  RowSpan& Shadow(int r) { return rows[static_cast<size_t>(r) + 1]; }
  const RowSpan& Shadow(int r) const { return rows[static_cast<size_t>(r) + 1]; }
  int ShadowRows() const { return static_cast<int>(rows.size()) - 2; }
};

SpanTable ShiftedSpans(const std::vector<RowSpan>& parent, int width, int size) {
  const int height = static_cast<int>(parent.size());
  SpanTable table;
  table.rows.assign(static_cast<size_t>(std::max(height, height + 2 * size)) + 2, RowSpan{width, 0});
  for (int y = 0; y < height; ++y) {
    int r = y + size;
    if (r < 0 || r >= table.ShadowRows() || parent[static_cast<size_t>(y)].IsEmpty()) continue;
    table.Shadow(r) = RowSpan{parent[static_cast<size_t>(y)].start + size, parent[static_cast<size_t>(y)].end + size};
  }
  return table;
}

// Every row shrinks by one pixel at each end and to the extent of its
// neighbours; all rows of one step see the spans of the step before.
void Erode(SpanTable& table, int steps) {
  for (int s = 0; s < steps; ++s) {
    std::vector<RowSpan> before = table.rows;
    for (size_t t = 1; t + 1 < before.size(); ++t) {
      table.rows[t].start = std::max({before[t - 1].start, before[t].start, before[t + 1].start}) + 1;
      table.rows[t].end = std::min({before[t - 1].end, before[t].end, before[t + 1].end}) - 1;
    }
  }
}

void Stamp(ShadowBitmap& bmp, const std::vector<uint32_t>& kernel, int radius, int cx, int cy) {
  const int side = 2 * radius + 1;
  for (int ky = 0; ky < side; ++ky) {
    int y = cy - radius + ky;
    if (y < 0 || y >= bmp.height) continue;
    for (int kx = 0; kx < side; ++kx) {
      int x = cx - radius + kx;
      if (x < 0 || x >= bmp.width) continue;
      uint32_t& px = bmp.pixels[static_cast<size_t>(y) * static_cast<size_t>(bmp.width) + static_cast<size_t>(x)];
      px = std::max(px, kernel[static_cast<size_t>(ky) * static_cast<size_t>(side) + static_cast<size_t>(kx)]);
    }
  }
}

// Only the edges of a row need the kernel: the columns that stick out past a
// neighbouring row on either side. The inside is filled solid afterwards.
void BlurBorder(ShadowBitmap& bmp, const SpanTable& table, const std::vector<uint32_t>& kernel, int radius) {
  for (int r = radius; r <= bmp.height - radius - 1 && r < table.ShadowRows(); ++r) {
    const RowSpan& span = table.Shadow(r);
    if (span.IsEmpty()) continue;
    const RowSpan& up = table.Shadow(r - 1);
    const RowSpan& down = table.Shadow(r + 1);
    int leftEnd = std::min(span.end, std::max(up.start, down.start) + 1);
    for (int x = span.start; x < leftEnd; ++x) Stamp(bmp, kernel, radius, x, r);
    int rightStart = std::max(leftEnd, std::min(up.end, down.end) - 1);
    for (int x = rightStart; x < span.end; ++x) Stamp(bmp, kernel, radius, x, r);
  }
}

void FillRun(ShadowBitmap& bmp, int r, int from, int to, uint32_t value) {
  from = std::max(from, 0);
  to = std::min(to, bmp.width);
  uint32_t* row = bmp.pixels.data() + static_cast<size_t>(r) * static_cast<size_t>(bmp.width);
  for (int x = from; x < to; ++x) row[x] = value;
}

void FillAndCutOut(ShadowBitmap& bmp, const SpanTable& table, const std::vector<RowSpan>& parent,
                   const ShadowParams& p, int radius) {
  const int height = static_cast<int>(parent.size());
  const int size = p.size;
  const uint32_t solid = ShadowDarkPixel(p.color, static_cast<uint8_t>(p.darkness));
  int first = std::min(radius, std::max(size - p.yOffset, 0));
  int last = std::max(bmp.height - radius, std::min(height + size - p.yOffset, height + 2 * size));
  last = std::min(last, std::min(bmp.height, table.ShadowRows()));
  for (int r = std::max(first, 0); r < last; ++r) {
    const RowSpan& span = table.Shadow(r);
    int y = r - size + p.yOffset;
    if (y < 0 || y >= height) {
      FillRun(bmp, r, span.start, span.end, solid);
      continue;
    }
    const RowSpan& window = parent[static_cast<size_t>(y)];
    int holeStart = window.start + size - p.xOffset;
    int holeEnd = window.end + size - p.xOffset;
    FillRun(bmp, r, span.start, std::min(span.end, holeStart), solid);
    FillRun(bmp, r, std::max(span.start, holeEnd), span.end, solid);
    FillRun(bmp, r, holeStart, holeEnd, 0);
  }
}

}  // namespace

uint32_t ShadowDarkPixel(uint32_t color, uint8_t alpha) {
  uint32_t red = color & 0xFFu, green = (color >> 8) & 0xFFu, blue = (color >> 16) & 0xFFu;
  return (static_cast<uint32_t>(alpha) << 24) | ((red * alpha / 255u) << 16) | ((green * alpha / 255u) << 8) |
         (blue * alpha / 255u);
}

std::vector<RowSpan> SpansFromRegion(const std::vector<RegionRect>& rects, int width, int height) {
  std::vector<RowSpan> spans(static_cast<size_t>(std::max(height, 0)), RowSpan{width, 0});
  for (const RegionRect& rc : rects) {
    int left = std::max(rc.left, 0), right = std::min(rc.right, width);
    if (right <= left) continue;
    for (int y = std::max(rc.top, 0); y < std::min(rc.bottom, height); ++y) {
      RowSpan& s = spans[static_cast<size_t>(y)];
      s.start = std::min(s.start, left);
      s.end = std::max(s.end, right);
    }
  }
  return spans;
}

std::vector<uint32_t> ShadowKernel(const ShadowParams& p) {
  const int radius = std::max(p.size, p.sharpness);
  const int side = 2 * radius + 1;
  const double solidRadius = p.size > p.sharpness ? p.size - p.sharpness : 0;
  std::vector<uint32_t> kernel(static_cast<size_t>(side) * static_cast<size_t>(side), 0);
  for (int ky = 0; ky < side; ++ky) {
    for (int kx = 0; kx < side; ++kx) {
      double d = std::hypot(kx - radius, ky - radius);
      uint32_t& px = kernel[static_cast<size_t>(ky) * static_cast<size_t>(side) + static_cast<size_t>(kx)];
      if (d < solidRadius) {
        px = ShadowDarkPixel(p.color, static_cast<uint8_t>(p.darkness));
      } else if (d <= radius) {
        double a = (1.0 - (d - solidRadius) / (p.sharpness + 1)) * p.darkness;
        px = ShadowDarkPixel(p.color, static_cast<uint8_t>(std::clamp(static_cast<int>(a), 0, 255)));
      }
    }
  }
  return kernel;
}

ShadowBitmap ComputeShadowPixels(const std::vector<RowSpan>& parentSpans, int parentWidth,
                                 const ShadowParams& params) {
  ShadowBitmap bmp;
  const int height = static_cast<int>(parentSpans.size());
  const int w = parentWidth + 2 * params.size, h = height + 2 * params.size;
  if (w <= 0 || h <= 0 || w > kMaxShadowSide || h > kMaxShadowSide || params.sharpness < 0) return bmp;
  bmp.width = w;
  bmp.height = h;
  bmp.pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);

  SpanTable table = ShiftedSpans(parentSpans, parentWidth, params.size);
  if (params.sharpness > params.size) Erode(table, params.sharpness - params.size);
  const int radius = std::max(params.size, params.sharpness);
  BlurBorder(bmp, table, ShadowKernel(params), radius);
  FillAndCutOut(bmp, table, parentSpans, params, radius);
  return bmp;
}

namespace {

// One axis of a nine-grid: maps a target coordinate to a source one.
struct GridAxis {
  int srcSize, dstSize, lead, trail;  // margins already fitted to both sizes
  // The cell (0 lead, 1 middle, 2 trail) and the source coordinate of t.
  int Map(int t, int* cell) const {
    if (t < lead) {
      *cell = 0;
      return t;
    }
    if (t >= dstSize - trail) {
      *cell = 2;
      return srcSize - (dstSize - t);
    }
    *cell = 1;
    int srcMid = srcSize - lead - trail, dstMid = dstSize - lead - trail;
    if (srcMid <= 0 || dstMid <= 0) return std::min(std::max(lead, 0), srcSize - 1);
    return lead + static_cast<int>(static_cast<int64_t>(t - lead) * srcMid / dstMid);
  }
};

GridAxis FitAxis(int srcSize, int dstSize, int lead, int trail) {
  lead = std::max(lead, 0);
  trail = std::max(trail, 0);
  int limit = std::min(srcSize, dstSize);
  if (lead + trail > limit) {
    // Keep the proportion of the two margins while cutting them to fit.
    int total = lead + trail;
    lead = static_cast<int>(static_cast<int64_t>(lead) * limit / total);
    trail = limit - lead;
  }
  return GridAxis{srcSize, dstSize, lead, trail};
}

}  // namespace

ShadowBitmap ComposeShadowImage(const ImageData& image, const Rect& margins, int width, int height) {
  ShadowBitmap bmp;
  if (width <= 0 || height <= 0 || width > kMaxShadowSide || height > kMaxShadowSide) return bmp;
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) {
    return bmp;
  }
  bmp.width = width;
  bmp.height = height;
  bmp.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  GridAxis ax = FitAxis(image.width, width, margins.left, margins.right);
  GridAxis ay = FitAxis(image.height, height, margins.top, margins.bottom);
  for (int y = 0; y < height; ++y) {
    int cellY = 0;
    int sy = ay.Map(y, &cellY);
    for (int x = 0; x < width; ++x) {
      int cellX = 0;
      int sx = ax.Map(x, &cellX);
      if (cellX == 1 && cellY == 1) continue;  // the hole under the window
      bmp.pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = image.At(sx, sy);
    }
  }
  return bmp;
}

}  // namespace Vellum
