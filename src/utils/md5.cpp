// MD5 after RFC 1321, section 3 (the four rounds of sixteen operations).
#include "utils/md5.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace Utils {

namespace {

uint32_t LoadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// The four round functions and one step, as macros so the 64 steps of a block are
// written out with constant operands even in unoptimised builds (the downloaders hash
// every package byte, so this bounds their throughput in every build).
#define QZ_MD5_F(x, y, z) ((z) ^ ((x) & ((y) ^ (z))))
#define QZ_MD5_G(x, y, z) ((y) ^ ((z) & ((x) ^ (y))))
#define QZ_MD5_H(x, y, z) ((x) ^ (y) ^ (z))
#define QZ_MD5_I(x, y, z) ((y) ^ ((x) | ~(z)))
#define QZ_MD5_STEP(f, a, b, c, d, word, k, s)      \
  (a) += f((b), (c), (d)) + (word) + (k);           \
  (a) = ((a) << (s)) | ((a) >> (32 - (s)));        \
  (a) += (b)

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

Md5::Md5() : state_{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476}, buffer_{} {}

void Md5::Block(const uint8_t* p) {
  uint32_t m[16];
  for (int i = 0; i < 16; ++i) m[i] = LoadLe32(p + i * 4);
  uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
  QZ_MD5_STEP(QZ_MD5_F, a, b, c, d, m[0], 0xd76aa478u, 7);
  QZ_MD5_STEP(QZ_MD5_F, d, a, b, c, m[1], 0xe8c7b756u, 12);
  QZ_MD5_STEP(QZ_MD5_F, c, d, a, b, m[2], 0x242070dbu, 17);
  QZ_MD5_STEP(QZ_MD5_F, b, c, d, a, m[3], 0xc1bdceeeu, 22);
  QZ_MD5_STEP(QZ_MD5_F, a, b, c, d, m[4], 0xf57c0fafu, 7);
  QZ_MD5_STEP(QZ_MD5_F, d, a, b, c, m[5], 0x4787c62au, 12);
  QZ_MD5_STEP(QZ_MD5_F, c, d, a, b, m[6], 0xa8304613u, 17);
  QZ_MD5_STEP(QZ_MD5_F, b, c, d, a, m[7], 0xfd469501u, 22);
  QZ_MD5_STEP(QZ_MD5_F, a, b, c, d, m[8], 0x698098d8u, 7);
  QZ_MD5_STEP(QZ_MD5_F, d, a, b, c, m[9], 0x8b44f7afu, 12);
  QZ_MD5_STEP(QZ_MD5_F, c, d, a, b, m[10], 0xffff5bb1u, 17);
  QZ_MD5_STEP(QZ_MD5_F, b, c, d, a, m[11], 0x895cd7beu, 22);
  QZ_MD5_STEP(QZ_MD5_F, a, b, c, d, m[12], 0x6b901122u, 7);
  QZ_MD5_STEP(QZ_MD5_F, d, a, b, c, m[13], 0xfd987193u, 12);
  QZ_MD5_STEP(QZ_MD5_F, c, d, a, b, m[14], 0xa679438eu, 17);
  QZ_MD5_STEP(QZ_MD5_F, b, c, d, a, m[15], 0x49b40821u, 22);
  QZ_MD5_STEP(QZ_MD5_G, a, b, c, d, m[1], 0xf61e2562u, 5);
  QZ_MD5_STEP(QZ_MD5_G, d, a, b, c, m[6], 0xc040b340u, 9);
  QZ_MD5_STEP(QZ_MD5_G, c, d, a, b, m[11], 0x265e5a51u, 14);
  QZ_MD5_STEP(QZ_MD5_G, b, c, d, a, m[0], 0xe9b6c7aau, 20);
  QZ_MD5_STEP(QZ_MD5_G, a, b, c, d, m[5], 0xd62f105du, 5);
  QZ_MD5_STEP(QZ_MD5_G, d, a, b, c, m[10], 0x02441453u, 9);
  QZ_MD5_STEP(QZ_MD5_G, c, d, a, b, m[15], 0xd8a1e681u, 14);
  QZ_MD5_STEP(QZ_MD5_G, b, c, d, a, m[4], 0xe7d3fbc8u, 20);
  QZ_MD5_STEP(QZ_MD5_G, a, b, c, d, m[9], 0x21e1cde6u, 5);
  QZ_MD5_STEP(QZ_MD5_G, d, a, b, c, m[14], 0xc33707d6u, 9);
  QZ_MD5_STEP(QZ_MD5_G, c, d, a, b, m[3], 0xf4d50d87u, 14);
  QZ_MD5_STEP(QZ_MD5_G, b, c, d, a, m[8], 0x455a14edu, 20);
  QZ_MD5_STEP(QZ_MD5_G, a, b, c, d, m[13], 0xa9e3e905u, 5);
  QZ_MD5_STEP(QZ_MD5_G, d, a, b, c, m[2], 0xfcefa3f8u, 9);
  QZ_MD5_STEP(QZ_MD5_G, c, d, a, b, m[7], 0x676f02d9u, 14);
  QZ_MD5_STEP(QZ_MD5_G, b, c, d, a, m[12], 0x8d2a4c8au, 20);
  QZ_MD5_STEP(QZ_MD5_H, a, b, c, d, m[5], 0xfffa3942u, 4);
  QZ_MD5_STEP(QZ_MD5_H, d, a, b, c, m[8], 0x8771f681u, 11);
  QZ_MD5_STEP(QZ_MD5_H, c, d, a, b, m[11], 0x6d9d6122u, 16);
  QZ_MD5_STEP(QZ_MD5_H, b, c, d, a, m[14], 0xfde5380cu, 23);
  QZ_MD5_STEP(QZ_MD5_H, a, b, c, d, m[1], 0xa4beea44u, 4);
  QZ_MD5_STEP(QZ_MD5_H, d, a, b, c, m[4], 0x4bdecfa9u, 11);
  QZ_MD5_STEP(QZ_MD5_H, c, d, a, b, m[7], 0xf6bb4b60u, 16);
  QZ_MD5_STEP(QZ_MD5_H, b, c, d, a, m[10], 0xbebfbc70u, 23);
  QZ_MD5_STEP(QZ_MD5_H, a, b, c, d, m[13], 0x289b7ec6u, 4);
  QZ_MD5_STEP(QZ_MD5_H, d, a, b, c, m[0], 0xeaa127fau, 11);
  QZ_MD5_STEP(QZ_MD5_H, c, d, a, b, m[3], 0xd4ef3085u, 16);
  QZ_MD5_STEP(QZ_MD5_H, b, c, d, a, m[6], 0x04881d05u, 23);
  QZ_MD5_STEP(QZ_MD5_H, a, b, c, d, m[9], 0xd9d4d039u, 4);
  QZ_MD5_STEP(QZ_MD5_H, d, a, b, c, m[12], 0xe6db99e5u, 11);
  QZ_MD5_STEP(QZ_MD5_H, c, d, a, b, m[15], 0x1fa27cf8u, 16);
  QZ_MD5_STEP(QZ_MD5_H, b, c, d, a, m[2], 0xc4ac5665u, 23);
  QZ_MD5_STEP(QZ_MD5_I, a, b, c, d, m[0], 0xf4292244u, 6);
  QZ_MD5_STEP(QZ_MD5_I, d, a, b, c, m[7], 0x432aff97u, 10);
  QZ_MD5_STEP(QZ_MD5_I, c, d, a, b, m[14], 0xab9423a7u, 15);
  QZ_MD5_STEP(QZ_MD5_I, b, c, d, a, m[5], 0xfc93a039u, 21);
  QZ_MD5_STEP(QZ_MD5_I, a, b, c, d, m[12], 0x655b59c3u, 6);
  QZ_MD5_STEP(QZ_MD5_I, d, a, b, c, m[3], 0x8f0ccc92u, 10);
  QZ_MD5_STEP(QZ_MD5_I, c, d, a, b, m[10], 0xffeff47du, 15);
  QZ_MD5_STEP(QZ_MD5_I, b, c, d, a, m[1], 0x85845dd1u, 21);
  QZ_MD5_STEP(QZ_MD5_I, a, b, c, d, m[8], 0x6fa87e4fu, 6);
  QZ_MD5_STEP(QZ_MD5_I, d, a, b, c, m[15], 0xfe2ce6e0u, 10);
  QZ_MD5_STEP(QZ_MD5_I, c, d, a, b, m[6], 0xa3014314u, 15);
  QZ_MD5_STEP(QZ_MD5_I, b, c, d, a, m[13], 0x4e0811a1u, 21);
  QZ_MD5_STEP(QZ_MD5_I, a, b, c, d, m[4], 0xf7537e82u, 6);
  QZ_MD5_STEP(QZ_MD5_I, d, a, b, c, m[11], 0xbd3af235u, 10);
  QZ_MD5_STEP(QZ_MD5_I, c, d, a, b, m[2], 0x2ad7d2bbu, 15);
  QZ_MD5_STEP(QZ_MD5_I, b, c, d, a, m[9], 0xeb86d391u, 21);
  state_[0] += a; state_[1] += b; state_[2] += c; state_[3] += d;
}

void Md5::Update(const void* data, size_t size) {
  auto p = static_cast<const uint8_t*>(data);
  length_ += size;
  if (size == 0) return;
  if (used_ > 0) {
    size_t take = std::min(size, sizeof(buffer_) - used_);
    std::memcpy(buffer_ + used_, p, take);
    used_ += take; p += take; size -= take;
    if (used_ < sizeof(buffer_)) return;
    Block(buffer_);
    used_ = 0;
  }
  // Whole blocks straight from the caller's memory; only a tail is buffered.
  for (; size >= sizeof(buffer_); p += sizeof(buffer_), size -= sizeof(buffer_)) Block(p);
  if (size > 0) std::memcpy(buffer_, p, size);
  used_ = size;
}

std::string Md5::HexDigest() {
  uint64_t bits = length_ * 8;
  static const uint8_t kPad[64] = {0x80};
  size_t padLen = used_ < 56 ? 56 - used_ : 120 - used_;
  Update(kPad, padLen);
  uint8_t len[8];
  for (int i = 0; i < 8; ++i) len[i] = static_cast<uint8_t>(bits >> (8 * i));
  Update(len, 8);
  char out[33];
  for (int i = 0; i < 16; ++i)
    std::snprintf(out + 2 * i, 3, "%02x", static_cast<unsigned>((state_[i / 4] >> (8 * (i % 4))) & 0xff));
  return std::string(out, 32);
}

std::string FileMd5(const std::string& path) {
  if (path.empty()) return std::string();
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::string();
  Md5 md5;
  unsigned char chunk[1024];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof(chunk), file.get())) > 0) md5.Update(chunk, n);
  // A read error must not pass for the digest of a shorter file.
  if (std::ferror(file.get())) return std::string();
  return md5.HexDigest();
}

}  // namespace Utils
