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

#include "ui/toolkit/image_data.h"
#include "ui/toolkit/image_descriptor.h"

namespace Vellum {

class CSkinArchive;

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

  size_t CachedCount() const { return images_.size(); }
  void Clear() { images_.clear(); }

 private:
  std::shared_ptr<const ImageData> Load(const ImageDescriptor& d) const;

  const CSkinArchive* archive_;
  // key: file name as written and the mask (0 without one)
  std::map<std::pair<std::wstring, uint64_t>, std::shared_ptr<const ImageData>> images_;
};

}  // namespace Vellum
