#include "ui/toolkit/image_cache.h"

#include <cstdio>
#include <vector>

#include "ui/toolkit/skin_archive.h"
#include "utils/text.h"

namespace Vellum {
namespace {

struct File {
  std::FILE* f = nullptr;
  ~File() {
    if (f) std::fclose(f);
  }
};

bool ReadWholeFile(const std::wstring& path, size_t cap, std::vector<uint8_t>* out) {
  std::string narrow = Utils::ToNarrow(path, Utils::kCodePageAnsi);
  if (narrow.empty()) return false;
  File file;
  file.f = std::fopen(narrow.c_str(), "rb");
  if (!file.f) return false;
  uint8_t chunk[16384];
  size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, file.f)) > 0) {
    if (out->size() + n > cap) return false;
    out->insert(out->end(), chunk, chunk + n);
  }
  return std::ferror(file.f) == 0;
}

}  // namespace

ImageKey KeyOf(const ImageDescriptor& d) {
  return ImageKey(d.file, d.hasMask ? (0x100000000ull | d.mask) : 0);
}

std::shared_ptr<const ImageData> CImageCache::Get(const std::wstring& descriptor) {
  return Get(ImageDescriptor::Parse(descriptor));
}

std::shared_ptr<const ImageData> CImageCache::Get(const ImageDescriptor& d) {
  if (d.file.empty()) return nullptr;
  ImageKey key = KeyOf(d);
  auto it = images_.find(key);
  if (it != images_.end()) return it->second;
  auto image = Decode(d);
  if (image) images_.emplace(std::move(key), image);
  return image;
}

bool CImageCache::ReadBytes(const ImageDescriptor& d, const std::vector<uint8_t>** bytes,
                            std::vector<uint8_t>* file) const {
  if (d.file.empty()) return false;
  if (archive_ && archive_->IsOpen()) {
    if ((*bytes = archive_->Read(d.file)) != nullptr) return true;
  }
  if (!ReadWholeFile(d.file, kMaxFileSize, file)) return false;
  *bytes = file;
  return true;
}

std::shared_ptr<const ImageData> CImageCache::Decode(const ImageDescriptor& d) const {
  const std::vector<uint8_t>* bytes = nullptr;
  std::vector<uint8_t> file;
  if (!ReadBytes(d, &bytes, &file)) return nullptr;
  return DecodeImage(bytes->data(), bytes->size(), d.hasMask, d.mask);
}

bool CImageCache::DecodeInto(const ImageDescriptor& d, const PixelStorage& storage, bool* hasAlpha) const {
  const std::vector<uint8_t>* bytes = nullptr;
  std::vector<uint8_t> file;
  if (!ReadBytes(d, &bytes, &file)) return false;
  return DecodeImageInto(bytes->data(), bytes->size(), d.hasMask, d.mask, storage, hasAlpha);
}

}  // namespace Vellum
