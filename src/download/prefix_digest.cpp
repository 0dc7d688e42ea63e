#include "download/prefix_digest.h"

#include <algorithm>
#include <vector>

#include "download/stdio_file.h"

namespace {
constexpr size_t kReadChunk = 256 * 1024;
}

void PrefixDigest::Reset() {
  md5 = Utils::Md5();
  bytes = 0;
  known = true;
}

void PrefixDigest::CatchUp(const std::string& path, int64_t size) {
  if (known && bytes == size) return;
  Reset();
  if (size <= 0) {
    known = size == 0;
    return;
  }
  DownloadFiles::File in = DownloadFiles::Open(path, "rb");
  if (!in) {
    known = false;
    return;
  }
  std::vector<unsigned char> chunk(kReadChunk);
  while (bytes < size) {
    size_t want = static_cast<size_t>(std::min<int64_t>(size - bytes, static_cast<int64_t>(chunk.size())));
    size_t got = std::fread(chunk.data(), 1, want, in.get());
    Add(chunk.data(), got);
    if (got < want) break;
  }
  // A file shorter than it was said to be is not the prefix the writer continues.
  known = bytes == size;
}

void PrefixDigest::Add(const void* data, size_t size) {
  md5.Update(data, size);
  bytes += static_cast<int64_t>(size);
}

std::string PrefixDigest::HexDigest() const {
  if (!known) return std::string();
  Utils::Md5 copy = md5;
  return copy.HexDigest();
}
