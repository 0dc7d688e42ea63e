#include "analytics/sdk/batch_encoding.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include "analytics/sdk/error_output.h"

namespace zv_analytics {
namespace batch_encoding {
namespace {

constexpr size_t kChunk = 32768;
constexpr int kGzipWindowBits = 31;
constexpr int kMemoryLevel = 8;

struct DeflateEnd {
  void operator()(z_stream* s) const { deflateEnd(s); }
};

// Runs deflate with finish until the stream ends; false on any other stop.
bool DeflateAll(z_stream* stream, std::string* out) {
  unsigned char chunk[kChunk];
  int code = Z_OK;
  do {
    stream->next_out = chunk;
    stream->avail_out = kChunk;
    code = deflate(stream, Z_FINISH);
    if (code != Z_OK && code != Z_STREAM_END) {
      WriteError("Exception during zlib compression: (" + std::to_string(code) + ") " +
                 (stream->msg ? stream->msg : ""));
      return false;
    }
    out->append(reinterpret_cast<const char*>(chunk), kChunk - stream->avail_out);
  } while (code != Z_STREAM_END);
  return true;
}

}  // namespace

bool Gzip(const std::string& text, std::string* out) {
  out->clear();
  z_stream stream;
  std::memset(&stream, 0, sizeof stream);
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, kGzipWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY) !=
      Z_OK) {
    WriteError("deflateInit2 failed while compressing.");
    return false;
  }
  std::unique_ptr<z_stream, DeflateEnd> owner(&stream);
  // zlib takes a non-const input pointer but does not write through it; a batch
  // above 4 GiB cannot occur (at most 30 records), so one uInt is enough.
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  return DeflateAll(&stream, out);
}

std::string Base64(const std::string& bytes) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const uint32_t v = (static_cast<unsigned char>(bytes[i]) << 16) |
                       (static_cast<unsigned char>(bytes[i + 1]) << 8) | static_cast<unsigned char>(bytes[i + 2]);
    out.push_back(kAlphabet[(v >> 18) & 63]);
    out.push_back(kAlphabet[(v >> 12) & 63]);
    out.push_back(kAlphabet[(v >> 6) & 63]);
    out.push_back(kAlphabet[v & 63]);
  }
  const size_t rest = bytes.size() - i;
  if (rest) {
    uint32_t v = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
    if (rest == 2) v |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
    out.push_back(kAlphabet[(v >> 18) & 63]);
    out.push_back(kAlphabet[(v >> 12) & 63]);
    out.push_back(rest == 2 ? kAlphabet[(v >> 6) & 63] : '=');
    out.push_back('=');
  }
  return out;
}

std::string PercentEncode(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size() * 3);
  for (const char c : text) {
    const unsigned char b = static_cast<unsigned char>(c);
    const bool keep = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
                      b == '.' || b == '_' || b == '~';
    if (keep) {
      out.push_back(c);
    } else {
      out.push_back('%');
      out.push_back(kHex[b >> 4]);
      out.push_back(kHex[b & 15]);
    }
  }
  return out;
}

bool FormBody(const std::string& batchText, std::string* body) {
  std::string compressed;
  if (!Gzip(batchText, &compressed)) return false;
  *body = "data_list=" + PercentEncode(Base64(compressed)) + "&gzip=1";
  return true;
}

}  // namespace batch_encoding
}  // namespace zv_analytics
