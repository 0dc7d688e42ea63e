// A decoded picture as the painter wants it: 32-bit pixels, row by row from the
// top, each 0xAARRGGBB with the colour channels already multiplied by alpha.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace Vellum {

struct ImageData {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // width * height
  bool hasAlpha = false;         // some pixel is not fully opaque

  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
};

// Decodes PNG bytes. With hasMask, a pixel whose premultiplied value equals mask
// becomes 0 (fully transparent). Returns nullptr for bytes that are not a
// picture or whose sides exceed kMaxImageSide. Any thread; no shared state.
constexpr int kMaxImageSide = 4096;
std::shared_ptr<const ImageData> DecodeImage(const uint8_t* bytes, size_t size, bool hasMask, uint32_t mask);

// Room for a decoded picture that its caller owns: given the sides, returns
// width * height writable pixels, or nullptr to refuse the picture.
using PixelStorage = std::function<uint32_t*(int width, int height)>;

// As DecodeImage, but the pixels go straight into the caller's storage (a
// painter's bitmap), so the picture is never held twice. Returns false for bytes
// that are not a picture, sides over kMaxImageSide, or refused storage; then
// nothing was written. hasAlpha (may be null) is set as ImageData::hasAlpha.
bool DecodeImageInto(const uint8_t* bytes, size_t size, bool hasMask, uint32_t mask, const PixelStorage& storage,
                     bool* hasAlpha);

}  // namespace Vellum
