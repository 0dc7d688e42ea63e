// MD5 after RFC 1321, section 3 (the four rounds of sixteen operations).
#include "utils/md5.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace Utils {

namespace {

const uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
const int kShift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                        5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                        4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                        6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

uint32_t Rotl(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

uint32_t LoadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// One step of round r on message word g: the rounds are written out with constant
// indices so the whole block stays in registers (the downloaders hash every package
// byte, so this loop bounds their throughput).
template <int R>
inline uint32_t Step(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t m, uint32_t k, int s) {
  // The parts that do not wait for b (the previous step's result) come first.
  uint32_t early = a + k + m;
  uint32_t f;
  if (R == 0) f = d ^ (b & (c ^ d));
  else if (R == 1) { early += c & ~d; f = b & d; }  // disjoint bits: + equals |
  else if (R == 2) f = b ^ c ^ d;
  else f = c ^ (b | ~d);
  return b + Rotl(early + f, s);
}

template <int R, int I>
inline void Rounds16(uint32_t& a, uint32_t& b, uint32_t& c, uint32_t& d, const uint32_t* m) {
  if constexpr (I < 16) {
    constexpr int i = R * 16 + I;
    constexpr int g = R == 0 ? I : R == 1 ? (5 * I + 1) % 16 : R == 2 ? (3 * I + 5) % 16 : (7 * I) % 16;
    uint32_t next = Step<R>(a, b, c, d, m[g], kSine[i], kShift[i]);
    a = d;
    d = c;
    c = b;
    b = next;
    Rounds16<R, I + 1>(a, b, c, d, m);
  }
}

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

Md5::Md5() : state_{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476}, buffer_{} {}

void Md5::Block(const uint8_t* p) {
  uint32_t m[16];
  for (int i = 0; i < 16; ++i) m[i] = LoadLe32(p + i * 4);
  uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
  Rounds16<0, 0>(a, b, c, d, m);
  Rounds16<1, 0>(a, b, c, d, m);
  Rounds16<2, 0>(a, b, c, d, m);
  Rounds16<3, 0>(a, b, c, d, m);
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
