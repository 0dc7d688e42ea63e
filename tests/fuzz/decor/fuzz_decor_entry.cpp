#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/decor/fuzz_decor_entries.h"
#include "ui/frame_sequence.h"
#include "ui/toolkit/shadow_pixels.h"

namespace {

struct Reader {
  const uint8_t* data;
  size_t size;
  size_t pos = 0;
  uint8_t Byte() { return pos < size ? data[pos++] : 0; }
  // A value in [lo, hi].
  int Range(int lo, int hi) { return lo + Byte() % (hi - lo + 1); }
};

void Require(bool ok) {
  if (!ok) std::abort();
}

void Shadow(Reader& r) {
  Vellum::ShadowParams p;
  p.size = r.Range(-20, 20);
  p.sharpness = r.Range(0, 20);
  p.darkness = r.Byte();
  p.xOffset = r.Range(-20, 20);
  p.yOffset = r.Range(-20, 20);
  p.color = static_cast<uint32_t>(r.Byte()) | (static_cast<uint32_t>(r.Byte()) << 8) |
            (static_cast<uint32_t>(r.Byte()) << 16);
  const int width = r.Range(0, 48), height = r.Range(0, 48);
  std::vector<Vellum::RowSpan> spans;
  for (int y = 0; y < height; ++y) spans.push_back({r.Range(-4, width + 4), r.Range(-4, width + 4)});
  Vellum::ShadowBitmap bmp = Vellum::ComputeShadowPixels(spans, width, p);
  const int w = width + 2 * p.size, h = height + 2 * p.size;
  if (w <= 0 || h <= 0) {
    Require(bmp.pixels.empty());
  } else {
    Require(bmp.width == w && bmp.height == h && bmp.pixels.size() == static_cast<size_t>(w) * static_cast<size_t>(h));
    for (uint32_t px : bmp.pixels) Require((px >> 24) <= static_cast<uint32_t>(p.darkness));
  }
  Vellum::ImageData image;
  image.width = r.Range(1, 16);
  image.height = r.Range(1, 16);
  image.pixels.assign(static_cast<size_t>(image.width) * static_cast<size_t>(image.height), 0xFF102030u);
  Vellum::Rect margins{r.Range(-8, 40), r.Range(-8, 40), r.Range(-8, 40), r.Range(-8, 40)};
  Vellum::ShadowBitmap pic = Vellum::ComposeShadowImage(image, margins, r.Range(-2, 60), r.Range(-2, 60));
  for (uint32_t px : pic.pixels) Require(px == 0 || px == 0xFF102030u);
}

void Frames(Reader& r) {
  const int32_t count = r.Range(-3, 6);
  const bool loop = r.Byte() & 1, round = r.Byte() & 1;
  std::wstring pattern;
  while (r.pos < r.size) pattern += static_cast<wchar_t>(r.Byte());
  Vellum::FrameSequenceState state;
  for (int i = 0; i < 16; ++i) {
    Vellum::FrameStep step = Vellum::StepFrameSequence(state, count, loop, round);
    Require(step.show != step.stop);
    std::wstring name;
    bool ok = Vellum::FormatFrameName(pattern, step.frame, &name);
    Require(name.size() <= Vellum::kMaxFrameName);
    Require(ok || name.empty());
    if (step.stop) break;
  }
}

}  // namespace

int FuzzDecorInput(const uint8_t* data, size_t size) {
  Reader r{data, size};
  Shadow(r);
  Frames(r);
  return 0;
}
