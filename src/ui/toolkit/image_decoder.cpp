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

std::shared_ptr<const ImageData> DecodeImage(const uint8_t* bytes, size_t size, bool hasMask, uint32_t mask) {
  if (!bytes || size == 0 || size > static_cast<size_t>(INT_MAX)) return nullptr;
  int w = 0, h = 0, channels = 0;
  StbPixels decoded;
  decoded.data = stbi_load_from_memory(bytes, static_cast<int>(size), &w, &h, &channels, 4);
  if (!decoded.data || w <= 0 || h <= 0 || w > kMaxImageSide || h > kMaxImageSide) return nullptr;
  auto image = std::make_shared<ImageData>();
  image->width = w;
  image->height = h;
  size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
  image->pixels.resize(count);
  for (size_t i = 0; i < count; ++i) {
    uint32_t px = Premultiply(decoded.data + i * 4);
    if (hasMask && px == mask) px = 0;
    if ((px >> 24) != 0xFF) image->hasAlpha = true;
    image->pixels[i] = px;
  }
  return image;
}

}  // namespace Vellum
