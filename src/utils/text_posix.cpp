// POSIX backend of the code-page conversions: every code page is UTF-8 here, and
// wchar_t holds one code point. Ill-formed input fails the whole conversion, as
// MultiByteToWideChar would with strict flags; lone surrogates are refused.
#include "utils/text.h"

#include <cstdint>

namespace Utils {

std::string ToNarrow(const std::wstring& text, unsigned) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t wc : text) {
    auto c = static_cast<uint32_t>(wc);
    if (c >= 0xD800 && c <= 0xDFFF) return std::string();
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x110000) {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      return std::string();
    }
  }
  return out;
}

std::wstring ToWide(const std::string& text, unsigned) {
  std::wstring out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    auto b = static_cast<unsigned char>(text[i]);
    uint32_t c;
    size_t len;
    if (b < 0x80) { c = b; len = 1; }
    else if (b >= 0xC2 && b < 0xE0) { c = b & 0x1F; len = 2; }
    else if (b >= 0xE0 && b < 0xF0) { c = b & 0x0F; len = 3; }
    else if (b >= 0xF0 && b < 0xF5) { c = b & 0x07; len = 4; }
    else return std::wstring();
    if (i + len > text.size()) return std::wstring();
    for (size_t k = 1; k < len; ++k) {
      auto cb = static_cast<unsigned char>(text[i + k]);
      if ((cb & 0xC0) != 0x80) return std::wstring();
      c = (c << 6) | (cb & 0x3F);
    }
    static const uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kMin[len] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::wstring();
    out.push_back(static_cast<wchar_t>(c));
    i += len;
  }
  return out;
}

}  // namespace Utils
