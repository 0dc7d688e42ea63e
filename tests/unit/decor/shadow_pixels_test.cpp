// The shadow's picture, checked against values worked out by hand: the kernel,
// the colour's byte order, and whole shadows of small windows with the skins'
// settings (soft edge only) and with a solid, offset part.
#include "ui/toolkit/shadow_pixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Vellum::ComputeShadowPixels;
using Vellum::RowSpan;
using Vellum::ShadowBitmap;
using Vellum::ShadowParams;

constexpr uint32_t kSkinColor = 0x26003B76;  // "#26003B76"

ShadowParams SkinParams() {
  ShadowParams p;
  p.size = 6;
  p.sharpness = 10;
  p.darkness = 20;
  p.xOffset = 1;
  p.yOffset = 1;
  p.color = kSkinColor;
  return p;
}

// A width x height window whose first and last rows lack one pixel at each
// end, as a window region with a small round corner has.
std::vector<RowSpan> RoundedSpans(int width, int height) {
  std::vector<RowSpan> spans(static_cast<size_t>(height), RowSpan{0, width});
  spans.front() = RowSpan{1, width - 1};
  spans.back() = RowSpan{1, width - 1};
  return spans;
}

struct Probe {
  int x, y;
  int alpha;
};

void ExpectAlphas(const ShadowBitmap& bmp, const std::vector<Probe>& probes, const char* what) {
  for (const Probe& p : probes) {
    EXPECT_EQ(bmp.AlphaAt(p.x, p.y), p.alpha) << what << " at (" << p.x << "," << p.y << ")";
  }
}

TEST(ShadowPixels, TheColourIsRedGreenBlueFromTheLowestByteAndItsTopByteIgnored) {
  EXPECT_EQ(Vellum::ShadowDarkPixel(kSkinColor, 255), 0xFF763B00u);  // red 0x76, green 0x3B, blue 0
  EXPECT_EQ(Vellum::ShadowDarkPixel(kSkinColor, 20), 0x14090400u);   // 118*20/255 = 9, 59*20/255 = 4
  EXPECT_EQ(Vellum::ShadowDarkPixel(0xFFEDF0F4u, 255), 0xFFF4F0EDu);
  EXPECT_EQ(Vellum::ShadowDarkPixel(0x00FFFFFFu, 0), 0u);
  EXPECT_EQ(Vellum::ShadowDarkPixel(0x00FFFFFFu, 128), 0x80808080u);
}

TEST(ShadowPixels, TheSkinsKernelHasRadiusTenNoSolidCentreAndAnOuterRingOfOne) {
  std::vector<uint32_t> k = Vellum::ShadowKernel(SkinParams());
  ASSERT_EQ(k.size(), 21u * 21u);
  auto at = [&](int x, int y) { return k[static_cast<size_t>(y) * 21 + static_cast<size_t>(x)]; };
  struct Case {
    int x, y;
    uint32_t pixel;
  };
  const Case cases[] = {
      {10, 10, 0x14090400u},  // d = 0: the full darkness 20
      {5, 10, 0x0A040200u},   // d = 5: (1 - 5/11) * 20 = 10
      {6, 2, 0x03010000u},    // d = 8.94: 3
      {0, 10, 0x01000000u},   // d = 10: (1 - 10/11) * 20 = 1
      {10, 20, 0x01000000u},
      {0, 9, 0u},             // d = 10.05: outside the radius
      {0, 0, 0u},
  };
  for (const Case& c : cases) EXPECT_EQ(at(c.x, c.y), c.pixel) << c.x << "," << c.y;
}

TEST(ShadowPixels, ALargeSizeGivesASolidCentre) {
  ShadowParams p;
  p.size = 6;
  p.sharpness = 2;
  p.darkness = 150;
  std::vector<uint32_t> k = Vellum::ShadowKernel(p);
  ASSERT_EQ(k.size(), 13u * 13u);  // radius 6
  auto alpha = [&](int x, int y) { return k[static_cast<size_t>(y) * 13 + static_cast<size_t>(x)] >> 24; };
  EXPECT_EQ(alpha(6, 6), 150u);
  EXPECT_EQ(alpha(9, 6), 150u);   // d = 3 < solid radius 4
  EXPECT_EQ(alpha(10, 6), 150u);  // d = 4: (1 - 0/3) * 150
  EXPECT_EQ(alpha(11, 6), 100u);  // d = 5: (1 - 1/3) * 150
  EXPECT_EQ(alpha(12, 6), 50u);   // d = 6
  EXPECT_EQ(alpha(12, 0), 0u);
}

TEST(ShadowPixels, TheSkinsShadowOfARoundedWindowIsASoftEdgeAroundACutOut) {
  ShadowBitmap bmp = ComputeShadowPixels(RoundedSpans(30, 20), 30, SkinParams());
  ASSERT_EQ(bmp.width, 42);
  ASSERT_EQ(bmp.height, 32);
  // After 4 erosion steps the solid core spans columns 10..31 of rows 11..20
  // (11..30 on rows 10 and 21); the window (shifted by 5) is cut out of rows
  // 5..24, columns 5..34.
  ExpectAlphas(bmp,
               {
                   {0, 15, 1},   {4, 15, 9},   {41, 15, 1}, {35, 15, 12}, {20, 0, 1}, {20, 4, 9},
                   {20, 31, 1},  {20, 25, 12}, {20, 15, 0}, {5, 15, 0},   {34, 20, 0}, {0, 0, 0},
                   {0, 11, 1},   {0, 10, 0},   {5, 5, 5},
               },
               "rounded");
  EXPECT_EQ(bmp.At(35, 15), 0x0C050200u);  // alpha 12 in the skin's colour
}

TEST(ShadowPixels, ARoundCornerTakesOneRowOffTheShadowsCorner) {
  std::vector<RowSpan> square(20, RowSpan{0, 30});
  ShadowBitmap bmp = ComputeShadowPixels(square, 30, SkinParams());
  ASSERT_EQ(bmp.width, 42);
  ExpectAlphas(bmp, {{0, 10, 1}, {0, 11, 1}, {10, 0, 1}, {0, 0, 0}, {41, 31, 0}}, "square");
}

TEST(ShadowPixels, AnOffsetShadowWithASolidPartIsFilledBesideAndBelowTheWindow) {
  ShadowParams p;
  p.size = 6;
  p.sharpness = 2;
  p.darkness = 150;
  p.xOffset = 5;
  p.yOffset = 5;
  ShadowBitmap bmp = ComputeShadowPixels(std::vector<RowSpan>(20, RowSpan{0, 30}), 30, p);
  ASSERT_EQ(bmp.width, 42);
  ASSERT_EQ(bmp.height, 32);
  // Solid core: rows 6..25, columns 6..35. The window covers rows 1..20,
  // columns 1..30 of the shadow.
  ExpectAlphas(bmp,
               {
                   {33, 10, 150}, {20, 10, 0},  {1, 10, 0},  {0, 10, 50},  {20, 23, 150}, {3, 23, 150},
                   {0, 23, 50},   {38, 10, 150}, {41, 10, 50}, {20, 0, 50}, {20, 31, 50},   {0, 0, 0},
                   {5, 28, 150},  {2, 28, 100},  {30, 20, 0},  {31, 20, 150},
               },
               "offset");
  EXPECT_EQ(bmp.At(33, 10), 0x96000000u);  // black: only alpha
}

TEST(ShadowPixels, DegenerateWindowsGiveAnEmptyOrClearShadow) {
  ShadowParams shrunk = SkinParams();
  shrunk.size = -15;  // 30 - 30 columns
  EXPECT_TRUE(ComputeShadowPixels(std::vector<RowSpan>(20, RowSpan{0, 30}), 30, shrunk).pixels.empty());
  EXPECT_TRUE(ComputeShadowPixels(std::vector<RowSpan>(10, RowSpan{0, 1}), Vellum::kMaxShadowSide, SkinParams())
                  .pixels.empty());
  // A region with no point inside leaves every pixel clear.
  ShadowBitmap none = ComputeShadowPixels(std::vector<RowSpan>(4, RowSpan{30, 0}), 30, SkinParams());
  ASSERT_EQ(none.width, 42);
  ASSERT_EQ(none.height, 16);
  for (uint32_t px : none.pixels) ASSERT_EQ(px, 0u);
}

TEST(ShadowPixels, APictureShadowIsANineGridWithAnEmptyCentre) {
  // 4 x 4 picture, pixel value = 0xFF000000 + 16 * y + x.
  Vellum::ImageData image;
  image.width = image.height = 4;
  for (uint32_t y = 0; y < 4; ++y) {
    for (uint32_t x = 0; x < 4; ++x) image.pixels.push_back(0xFF000000u + 16 * y + x);
  }
  ShadowBitmap bmp = Vellum::ComposeShadowImage(image, Vellum::Rect{1, 1, 1, 1}, 6, 8);
  ASSERT_EQ(bmp.width, 6);
  ASSERT_EQ(bmp.height, 8);
  // Corners unscaled, edges stretched (source 1..2 over target 1..4 and 1..6).
  EXPECT_EQ(bmp.At(0, 0), 0xFF000000u);
  EXPECT_EQ(bmp.At(5, 0), 0xFF000003u);
  EXPECT_EQ(bmp.At(0, 7), 0xFF000030u);
  EXPECT_EQ(bmp.At(5, 7), 0xFF000033u);
  EXPECT_EQ(bmp.At(1, 0), 0xFF000001u);
  EXPECT_EQ(bmp.At(4, 0), 0xFF000002u);
  EXPECT_EQ(bmp.At(0, 1), 0xFF000010u);
  EXPECT_EQ(bmp.At(0, 6), 0xFF000020u);
  EXPECT_EQ(bmp.At(5, 4), 0xFF000023u);
  for (int y = 1; y < 7; ++y) {
    for (int x = 1; x < 5; ++x) EXPECT_EQ(bmp.At(x, y), 0u) << x << "," << y;
  }
  // Margins wider than the picture are cut to it; a target of no size gives nothing.
  ShadowBitmap wide = Vellum::ComposeShadowImage(image, Vellum::Rect{10, 10, 10, 10}, 8, 8);
  ASSERT_EQ(wide.width, 8);
  EXPECT_EQ(wide.At(0, 0), 0xFF000000u);
  EXPECT_EQ(wide.At(7, 7), 0xFF000033u);
  EXPECT_TRUE(Vellum::ComposeShadowImage(image, Vellum::Rect{}, 0, 8).pixels.empty());
}

TEST(ShadowPixels, RegionRectanglesBecomeOneSpanPerRow) {
  std::vector<Vellum::RegionRect> rects = {{1, 0, 29, 1}, {0, 1, 30, 19}, {1, 19, 29, 20}, {40, 5, 50, 6}, {-3, 25, 5, 30}};
  std::vector<RowSpan> spans = Vellum::SpansFromRegion(rects, 30, 22);
  ASSERT_EQ(spans.size(), 22u);
  EXPECT_EQ(spans[0].start, 1);
  EXPECT_EQ(spans[0].end, 29);
  EXPECT_EQ(spans[5].start, 0);
  EXPECT_EQ(spans[5].end, 30);
  EXPECT_EQ(spans[19].start, 1);
  EXPECT_EQ(spans[19].end, 29);
  EXPECT_TRUE(spans[20].IsEmpty());
  EXPECT_EQ(spans[20].start, 30);
  EXPECT_EQ(spans[20].end, 0);
  // Two rectangles on one row give one span from the first to the last column.
  std::vector<RowSpan> two = Vellum::SpansFromRegion({{2, 0, 4, 1}, {8, 0, 9, 1}}, 10, 1);
  EXPECT_EQ(two[0].start, 2);
  EXPECT_EQ(two[0].end, 9);
}

}  // namespace
