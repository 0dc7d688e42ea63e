// One window's decoded pictures, by name. A picture is looked up in the skin
// archive first and then read as a file path as given; decoded once, shared by
// every control that names it.
//
// Owner: the window's manager. Thread: the window's thread only.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/toolkit/image_data.h"
#include "ui/toolkit/image_descriptor.h"

namespace Vellum {

class CSkinArchive;

// What tells two pictures apart: the file name as written and the mask (0
// without one).
using ImageKey = std::pair<std::wstring, uint64_t>;
ImageKey KeyOf(const ImageDescriptor& descriptor);

class CImageCache {
 public:
  // Files read from disk larger than this are refused.
  static constexpr size_t kMaxFileSize = 32u << 20;

  // archive may be null (no skin package open); it must outlive the cache.
  explicit CImageCache(const CSkinArchive* archive) : archive_(archive) {}

  // The picture a descriptor (or plain path) names, decoded with its mask;
  // nullptr when it cannot be found or decoded. Failures are not remembered, so
  // a file that appears later is found.
  std::shared_ptr<const ImageData> Get(const std::wstring& descriptor);
  std::shared_ptr<const ImageData> Get(const ImageDescriptor& descriptor);

  // The same picture decoded afresh straight into the caller's storage
  // (DecodeImageInto) and not kept here: for a painter that keeps its own copy
  // in another form, so the pixels are not held twice.
  bool DecodeInto(const ImageDescriptor& descriptor, const PixelStorage& storage, bool* hasAlpha) const;

  size_t CachedCount() const { return images_.size(); }
  void Clear() { images_.clear(); }

 private:
  // The picture's file from the skin package, else from the disk; false when
  // neither has it. *bytes points into the package or at *file.
  bool ReadBytes(const ImageDescriptor& d, const std::vector<uint8_t>** bytes, std::vector<uint8_t>* file) const;
  std::shared_ptr<const ImageData> Decode(const ImageDescriptor& d) const;

  const CSkinArchive* archive_;
  std::map<ImageKey, std::shared_ptr<const ImageData>> images_;
};

}  // namespace Vellum
