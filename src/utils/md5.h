// MD5 (RFC 1321) of memory and of files. The downloaders compare a package's
// digest with the one its address announces.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace Utils {

class Md5 {
 public:
  Md5();
  void Update(const void* data, size_t size);
  // 32 lower-case hexadecimal digits; the object is spent afterwards.
  std::string HexDigest();

 private:
  void Block(const uint8_t* block);
  uint32_t state_[4];
  uint64_t length_ = 0;  // bytes seen
  uint8_t buffer_[64];
  size_t used_ = 0;
};

// The digest of a whole file, read in 1024-byte chunks; empty when the path is
// empty or the file cannot be opened. The path is narrow, in the ANSI code page.
std::string FileMd5(const std::string& path);

}  // namespace Utils
