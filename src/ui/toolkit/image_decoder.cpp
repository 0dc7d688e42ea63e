// The one translation unit that compiles the PNG decoder.
#include "ui/toolkit/image_data.h"

#include <climits>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 4096
#include "stb_image.h"

namespace Vellum {
namespace {

struct StbPixels {
  unsigned char* data = nullptr;
  ~StbPixels() { stbi_image_free(data); }
};

uint32_t Premultiply(const unsigned char* rgba) {
  uint32_t a = rgba[3];
  uint32_t r = rgba[0] * a / 255;
  uint32_t g = rgba[1] * a / 255;
  uint32_t b = rgba[2] * a / 255;
  return (a << 24) | (r << 16) | (g << 8) | b;
}

}  // namespace

bool DecodeImageInto(const uint8_t* bytes, size_t size, bool hasMask, uint32_t mask, const PixelStorage& storage,
                     bool* hasAlpha) {
  if (!bytes || size == 0 || size > static_cast<size_t>(INT_MAX)) return false;
  int w = 0, h = 0, channels = 0;
  StbPixels decoded;
  decoded.data = stbi_load_from_memory(bytes, static_cast<int>(size), &w, &h, &channels, 4);
  if (!decoded.data || w <= 0 || h <= 0 || w > kMaxImageSide || h > kMaxImageSide) return false;
  uint32_t* out = storage(w, h);
  if (!out) return false;
  bool alpha = false;
  const size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
  for (size_t i = 0; i < count; ++i) {
    uint32_t px = Premultiply(decoded.data + i * 4);
    if (hasMask && px == mask) px = 0;
    if ((px >> 24) != 0xFF) alpha = true;
    out[i] = px;
  }
  if (hasAlpha) *hasAlpha = alpha;
  return true;
}

std::shared_ptr<const ImageData> DecodeImage(const uint8_t* bytes, size_t size, bool hasMask, uint32_t mask) {
  auto image = std::make_shared<ImageData>();
  const PixelStorage storage = [&image](int width, int height) {
    image->width = width;
    image->height = height;
    image->pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    return image->pixels.data();
  };
  if (!DecodeImageInto(bytes, size, hasMask, mask, storage, &image->hasAlpha)) return nullptr;
  return image;
}

}  // namespace Vellum
