// Image descriptors, decoding to premultiplied pixels, the colour key and the
// per-window cache (package first, then a file path).
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstring>
#include <string>

#include "support/test_env.h"
#include "toolkit_test_support.h"
#include "ui/toolkit/image_cache.h"
#include "ui/toolkit/image_data.h"
#include "ui/toolkit/image_descriptor.h"

using namespace Vellum;

namespace {

// A minimal RGBA PNG writer, so tests choose exact pixel values.
void PutBE32(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}
void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  PutBE32(out, static_cast<uint32_t>(data.size()));
  std::vector<uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  PutBE32(out, static_cast<uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}
std::vector<uint8_t> Png(int w, int h, const std::vector<uint32_t>& rgba) {  // 0xRRGGBBAA per pixel
  std::vector<uint8_t> raw;
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);
    for (int x = 0; x < w; ++x) {
      uint32_t p = rgba[static_cast<size_t>(y * w + x)];
      for (int s = 24; s >= 0; s -= 8) raw.push_back(static_cast<uint8_t>(p >> s));
    }
  }
  uLongf len = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> z(len);
  compress(z.data(), &len, raw.data(), static_cast<uLong>(raw.size()));
  z.resize(len);
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> ihdr;
  PutBE32(ihdr, static_cast<uint32_t>(w));
  PutBE32(ihdr, static_cast<uint32_t>(h));
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
  Chunk(out, "IHDR", ihdr);
  Chunk(out, "IDAT", z);
  Chunk(out, "IEND", {});
  return out;
}

TEST(ImageDescriptor, ReadsPlainPathsAndKeyValuePairs) {
  ImageDescriptor plain = ImageDescriptor::Parse(L"res\\mainWnd\\bg1.png");
  EXPECT_EQ(plain.file, L"res\\mainWnd\\bg1.png");
  EXPECT_FALSE(plain.hasDest);
  EXPECT_FALSE(plain.hasMask);
  EXPECT_EQ(plain.fade, 255);

  ImageDescriptor cb = ImageDescriptor::Parse(L"file='res\\mainWnd\\Cb1.png' dest='0,2,16,18'");
  EXPECT_EQ(cb.file, L"res\\mainWnd\\Cb1.png");
  EXPECT_TRUE(cb.hasDest);
  EXPECT_EQ(cb.dest, (Rect{0, 2, 16, 18}));

  ImageDescriptor all = ImageDescriptor::Parse(
      L"file='a b.png' corner='4,5,6,7' mask='#FF00FF' fade='128' hole='true' xtiled='true' ytiled='false' "
      L"source='1,2,3,4'");
  EXPECT_EQ(all.file, L"a b.png");  // blanks inside a value stay
  EXPECT_EQ(all.corner, (Rect{4, 5, 6, 7}));
  EXPECT_TRUE(all.hasMask);
  EXPECT_EQ(all.mask, 0xFFFF00FFu);  // a key without alpha names the opaque colour
  EXPECT_EQ(all.fade, 128);
  EXPECT_TRUE(all.hole);
  EXPECT_TRUE(all.xtiled);
  EXPECT_FALSE(all.ytiled);

  EXPECT_EQ(ImageDescriptor::Parse(L"file='x.png' mask='0x80123456'").mask, 0x80123456u);
  EXPECT_EQ(ImageDescriptor::Parse(L"file='x.png' mask='ff0000'").mask, 0xFFFF0000u);
  EXPECT_EQ(ImageDescriptor::Parse(L"file='x.png' fade='999'").fade, 255);

  ImageDescriptor broken = ImageDescriptor::Parse(L"file='x.png' dest='1,2,3,4");
  EXPECT_EQ(broken.file, L"x.png");  // pairs before the broken one stay
  EXPECT_FALSE(broken.hasDest);
}

TEST(ImageDecoding, PremultipliesAlphaKeysTheMaskAndReportsTransparency) {
  // opaque red, half-transparent white, transparent green, opaque magenta
  std::vector<uint8_t> png = Png(2, 2, {0xFF0000FF, 0xFFFFFF80, 0x00FF0000, 0xFF00FFFF});
  auto image = DecodeImage(png.data(), png.size(), false, 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 2);
  EXPECT_EQ(image->height, 2);
  EXPECT_EQ(image->At(0, 0), 0xFFFF0000u);
  EXPECT_EQ(image->At(1, 0), 0x80808080u);  // 255 * 128 / 255 = 128 per channel
  EXPECT_EQ(image->At(0, 1), 0x00000000u);
  EXPECT_EQ(image->At(1, 1), 0xFFFF00FFu);
  EXPECT_TRUE(image->hasAlpha);

  auto keyed = DecodeImage(png.data(), png.size(), true, 0xFFFF00FFu);
  ASSERT_NE(keyed, nullptr);
  EXPECT_EQ(keyed->At(1, 1), 0u);
  EXPECT_EQ(keyed->At(0, 0), 0xFFFF0000u);

  std::vector<uint8_t> opaque = Png(1, 2, {0x102030FF, 0xFF00FFFF});
  auto solid = DecodeImage(opaque.data(), opaque.size(), false, 0);
  ASSERT_NE(solid, nullptr);
  EXPECT_FALSE(solid->hasAlpha);
  auto solidKeyed = DecodeImage(opaque.data(), opaque.size(), true, 0xFFFF00FFu);
  EXPECT_TRUE(solidKeyed->hasAlpha);  // keying made a pixel transparent
}

TEST(ImageDecoding, RefusesWhatIsNotAPicture) {
  std::vector<uint8_t> png = Png(3, 3, std::vector<uint32_t>(9, 0xFFFFFFFF));
  std::vector<uint8_t> truncated(png.begin(), png.begin() + static_cast<long>(png.size() / 2));
  std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
  EXPECT_EQ(DecodeImage(nullptr, 0, false, 0), nullptr);
  EXPECT_EQ(DecodeImage(text.data(), text.size(), false, 0), nullptr);
  EXPECT_EQ(DecodeImage(truncated.data(), truncated.size(), false, 0), nullptr);
  // A header claiming a side above the cap is refused before anything is allocated.
  std::vector<uint8_t> huge = png;
  huge[16] = 0x00;
  huge[17] = 0x01;
  huge[18] = 0x00;
  huge[19] = 0x00;  // width 65536 (the chunk CRC no longer matches either)
  EXPECT_EQ(DecodeImage(huge.data(), huge.size(), false, 0), nullptr);
}

TEST(ImageCache, DecodesSkinPicturesOnceAndSharesThem) {
  CImageCache cache(&ToolkitTest::Skin());
  struct Expect {
    const wchar_t* name;
    int w, h;
    bool alpha;
  } pictures[] = {
      {L"res\\mainWnd\\bg1.png", 600, 400, false},
      {L"res/mainWnd/bg4.png", 600, 400, false},
      {L"RES\\MAINWND\\INSTALLPRG1.PNG", 410, 8, true},  // rounded ends
      {L"file='res\\mainWnd\\Cb1.png' dest='0,2,16,18'", 16, 16, true},
      {L"res\\mainWnd\\installBtnAnimate\\000.png", 255, 253, true},
      {L"res\\common\\closebtnM_1.png", 24, 24, true},
      {L"res\\MessageBoxWnd\\latestBtn3.png", 138, 30, true},  // rounded corners
  };
  for (const Expect& e : pictures) {
    auto image = cache.Get(e.name);
    ASSERT_NE(image, nullptr) << std::wstring(e.name).size();
    EXPECT_EQ(image->width, e.w);
    EXPECT_EQ(image->height, e.h);
    EXPECT_EQ(image->hasAlpha, e.alpha);
    EXPECT_EQ(cache.Get(e.name), image);  // the same decoded picture again
  }
  EXPECT_EQ(cache.Get(L"res\\mainWnd\\Cb1.png"), cache.Get(L"file='res\\mainWnd\\Cb1.png' dest='0,2,16,18'"));
  size_t cached = cache.CachedCount();
  EXPECT_EQ(cache.Get(L"res\\common\\minbtn4.png"), nullptr);  // named by the markup, not packed
  EXPECT_EQ(cache.Get(L""), nullptr);
  EXPECT_EQ(cache.CachedCount(), cached);
}

TEST(ImageCache, FallsBackToAFilePathWhenThePackageLacksTheName) {
  std::string dir = TestEnv::TmpDir();
  ASSERT_FALSE(dir.empty());
  std::string path = TestEnv::Join(dir, "loose.png");
  ASSERT_TRUE(ToolkitTest::WriteFile(path, Png(3, 1, {0x0000FFFF, 0x00FF00FF, 0xFF0000FF})));
  std::wstring wide(path.begin(), path.end());

  CImageCache withSkin(&ToolkitTest::Skin());
  auto fromDisk = withSkin.Get(wide);
  ASSERT_NE(fromDisk, nullptr);
  EXPECT_EQ(fromDisk->width, 3);
  EXPECT_EQ(fromDisk->At(0, 0), 0xFF0000FFu);
  EXPECT_EQ(withSkin.Get(L"file='" + wide + L"' mask='#00FF00'")->At(1, 0), 0u);

  CImageCache noSkin(nullptr);
  EXPECT_NE(noSkin.Get(wide), nullptr);
  EXPECT_EQ(noSkin.Get(L"res\\mainWnd\\bg1.png"), nullptr);  // only the package has it

  std::string bad = TestEnv::Join(dir, "bad.png");
  ASSERT_TRUE(ToolkitTest::WriteFile(bad, {'n', 'o', 't'}));
  EXPECT_EQ(noSkin.Get(std::wstring(bad.begin(), bad.end())), nullptr);
}

}  // namespace
