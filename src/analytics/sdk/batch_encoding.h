// How a batch travels: the JSON array text is gzip-compressed, Base64-encoded and
// percent-encoded into the form body "data_list=<...>&gzip=1". Pure functions, so
// the exact bytes on the wire can be checked without a network.
#pragma once
#include <string>

namespace zv_analytics {
namespace batch_encoding {

// zlib deflate, level 9, gzip wrapper (window bits 31), memory level 8, default
// strategy, run with finish over 32 KiB output chunks. On failure writes zlib's
// complaint to standard error and returns false (out is then unspecified).
bool Gzip(const std::string& text, std::string* out);
// RFC 4648 standard alphabet with "=" padding and no line breaks.
std::string Base64(const std::string& bytes);
// Letters, digits and "-._~" stay; every other byte becomes "%XX" (upper-case hex).
std::string PercentEncode(const std::string& text);
// The whole form body for a batch text; false when compression failed.
bool FormBody(const std::string& batchText, std::string* body);

}  // namespace batch_encoding
}  // namespace zv_analytics
