// Image descriptors as the render engine draws them: a 6x6 picture made of
// nine 2x2 cells of distinct colours is drawn into a 20x20 white area, and the
// colour at chosen points tells which cell (or none) landed there.
#include <gtest/gtest.h>

#include <string>

#include "gui/support/screenshot.h"
#include "support/test_env.h"
#include "ui/toolkit/image_cache.h"
#include "ui/toolkit/render_engine.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
// Cells row by row: top-left, top, top-right, left, centre, right, bottom-left, bottom, bottom-right.
constexpr uint32_t kCell[9] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF,
                               0xFF00FF, 0x800000, 0x008000, 0x000080};
enum { TL, T, TR, L, C, R, BL, B, BR };

std::wstring ToWide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

std::wstring NinePng() {
  GuiTest::Screenshot img;
  img.width = img.height = 6;
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) img.pixels.push_back(kCell[(y / 2) * 3 + x / 2]);
  }
  std::wstring path = ToWide(TestEnv::Join(TestEnv::TmpDir(), "nine.png"));
  EXPECT_TRUE(GuiTest::SavePng(img, path));
  return path;
}

// A 20x20 white 32-bit bitmap to draw into.
class Canvas {
 public:
  Canvas() {
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 20, -20, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = ::CreateCompatibleDC(nullptr);
    bitmap_ = ::CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = ::SelectObject(dc_, bitmap_);
    Vellum::CRenderEngine::FillColor(dc_, Vellum::Rect{0, 0, 20, 20}, 0xFFFFFFFF);
  }
  ~Canvas() {
    ::SelectObject(dc_, old_);
    ::DeleteObject(bitmap_);
    ::DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  HDC dc() const { return dc_; }
  uint32_t At(int x, int y) const {
    ::GdiFlush();
    return bits_[y * 20 + x] & 0xFFFFFF;
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
};

struct Probe {
  int x, y;
  uint32_t colour;
};

struct DrawCase {
  const char* what;
  std::wstring keys;  // after file='...'
  std::vector<Probe> probes;
};

TEST(RenderImages, DescriptorKeysPlaceTheCells) {
  const std::wstring file = NinePng();
  const DrawCase cases[] = {
      {"stretched over the control", L"", {{1, 1, kCell[TL]}, {4, 10, kCell[L]}, {10, 10, kCell[C]}, {18, 18, kCell[BR]}}},
      {"nine-grid keeps the margins", L" corner='2,2,2,2'",
       {{1, 1, kCell[TL]}, {4, 10, kCell[C]}, {10, 1, kCell[T]}, {1, 10, kCell[L]}, {18, 18, kCell[BR]}}},
      {"hole leaves the centre", L" corner='2,2,2,2' hole='true'",
       {{10, 10, kWhite}, {1, 1, kCell[TL]}, {10, 1, kCell[T]}, {19, 10, kCell[R]}}},
      {"dest draws into a part", L" dest='5,5,15,15'", {{2, 2, kWhite}, {10, 10, kCell[C]}, {17, 17, kWhite}}},
      {"dest is clipped to the control", L" dest='10,10,40,40'", {{5, 5, kWhite}, {11, 11, kCell[TL]}}},
      {"xtiled repeats along x", L" xtiled='true'", {{1, 10, kCell[L]}, {10, 10, kCell[R]}, {19, 10, kCell[L]}}},
      {"ytiled repeats along y", L" ytiled='true'", {{10, 1, kCell[T]}, {10, 10, kCell[B]}, {10, 19, kCell[T]}}},
      {"mask makes a colour transparent", L" mask='#00FFFF'", {{10, 10, kWhite}, {1, 1, kCell[TL]}}},
      {"fade 0 draws nothing", L" fade='0'", {{10, 10, kWhite}, {1, 1, kWhite}}},
  };
  for (const DrawCase& c : cases) {
    Vellum::CImageCache images(nullptr);
    Vellum::CRenderEngine engine(&images);
    Canvas canvas;
    engine.DrawImage(canvas.dc(), Vellum::Rect{0, 0, 20, 20}, L"file='" + file + L"'" + c.keys);
    for (const Probe& p : c.probes) {
      EXPECT_EQ(canvas.At(p.x, p.y), p.colour) << c.what << " at " << p.x << "," << p.y;
    }
  }
}

TEST(RenderImages, FadeBlendsOverWhatIsThere) {
  const std::wstring file = NinePng();
  Vellum::CImageCache images(nullptr);
  Vellum::CRenderEngine engine(&images);
  Canvas canvas;
  engine.DrawImage(canvas.dc(), Vellum::Rect{0, 0, 20, 20}, L"file='" + file + L"' fade='128'");
  uint32_t px = canvas.At(10, 10);  // the cyan centre at half strength over white
  EXPECT_NEAR(static_cast<int>(px >> 16), 127, 4);
  EXPECT_EQ(px & 0xFFFF, 0xFFFFu);
}

TEST(RenderImages, ANameThatCannotBeLoadedDrawsNothing) {
  Vellum::CImageCache images(nullptr);
  Vellum::CRenderEngine engine(&images);
  Canvas canvas;
  engine.DrawImage(canvas.dc(), Vellum::Rect{0, 0, 20, 20}, L"file='no-such.png' corner='2,2,2,2'");
  engine.DrawImage(canvas.dc(), Vellum::Rect{0, 0, 20, 20}, L"res\\mainWnd\\none.png");
  for (int y = 0; y < 20; y += 3) {
    for (int x = 0; x < 20; x += 3) EXPECT_EQ(canvas.At(x, y), kWhite) << x << "," << y;
  }
}

// The engine keeps each picture it has drawn: the same file with a mask is
// another picture, and a file that was missing is found once it appears.
TEST(RenderImages, KeptPicturesAreToldApartByMaskAndMissingOnesAreRetried) {
  const std::wstring file = NinePng();
  const std::wstring later = ToWide(TestEnv::Join(TestEnv::TmpDir(), "later.png"));
  ::DeleteFileW(later.c_str());  // left by an earlier run
  Vellum::CImageCache images(nullptr);
  Vellum::CRenderEngine engine(&images);
  const Vellum::Rect area{0, 0, 20, 20};
  const struct {
    const char* what;
    std::wstring descriptor;
    uint32_t centre;
  } steps[] = {
      {"plain", L"file='" + file + L"'", kCell[C]},
      {"masked", L"file='" + file + L"' mask='#00FFFF'", kWhite},
      {"plain again", L"file='" + file + L"'", kCell[C]},
      {"missing", L"file='" + later + L"'", kWhite},
  };
  for (const auto& step : steps) {
    Canvas canvas;
    engine.DrawImage(canvas.dc(), area, step.descriptor);
    EXPECT_EQ(canvas.At(10, 10), step.centre) << step.what;
  }
  ASSERT_TRUE(::CopyFileW(file.c_str(), later.c_str(), FALSE));
  Canvas canvas;
  engine.DrawImage(canvas.dc(), area, L"file='" + later + L"'");
  EXPECT_EQ(canvas.At(10, 10), kCell[C]) << "the file that appeared later";
}

}  // namespace
