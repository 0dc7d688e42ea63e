#include "analytics/sdk/utf8_rule.h"

namespace zv_analytics {
namespace {

bool InRange(unsigned char b, unsigned lo, unsigned hi) { return b >= lo && b <= hi; }

// The allowed range of the second byte for each lead byte of a multi-byte form;
// this is what excludes overlong forms, surrogates and values above U+10FFFF.
bool SecondByteFits(unsigned char lead, unsigned char second) {
  if (lead == 0xE0) return InRange(second, 0xA0, 0xBF);
  if (lead == 0xED) return InRange(second, 0x80, 0x9F);
  if (lead == 0xF0) return InRange(second, 0x90, 0xBF);
  if (lead == 0xF4) return InRange(second, 0x80, 0x8F);
  return InRange(second, 0x80, 0xBF);
}

size_t MultiByteLength(unsigned char lead) {
  if (InRange(lead, 0xC2, 0xDF)) return 2;
  if (InRange(lead, 0xE0, 0xEF)) return 3;
  if (InRange(lead, 0xF0, 0xF4)) return 4;
  return 0;
}

}  // namespace

size_t Utf8SequenceLength(const std::string& text, size_t pos) {
  if (pos >= text.size()) return 0;
  const unsigned char lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return 1;
  const size_t length = MultiByteLength(lead);
  if (length == 0 || text.size() - pos < length) return 0;
  if (!SecondByteFits(lead, static_cast<unsigned char>(text[pos + 1]))) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (!InRange(static_cast<unsigned char>(text[pos + i]), 0x80, 0xBF)) return 0;
  }
  return length;
}

bool IsAcceptedUtf8(const std::string& text) {
  size_t pos = 0;
  while (pos < text.size()) {
    const unsigned char b = static_cast<unsigned char>(text[pos]);
    if (b < 0x80 && !(b == 0x09 || b == 0x0A || b == 0x0D || InRange(b, 0x20, 0x7E))) return false;
    const size_t length = Utf8SequenceLength(text, pos);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

}  // namespace zv_analytics
