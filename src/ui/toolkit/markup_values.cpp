#include "ui/toolkit/markup_values.h"

#include <climits>

namespace Vellum {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

// Reads one decimal integer at text[pos...], moving pos past it.
int ReadInt(const std::wstring& text, size_t& pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == L'-' || text[pos] == L'+')) {
    negative = text[pos] == L'-';
    ++pos;
  }
  long long value = 0;
  while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9') {
    if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (text[pos] - L'0');
    ++pos;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// Moves pos past the next comma, or to the end when there is none.
void SkipPastComma(const std::wstring& text, size_t& pos) {
  while (pos < text.size() && text[pos] != L',') ++pos;
  if (pos < text.size()) ++pos;
}

wchar_t LowerAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }

bool IsHexDigit(wchar_t c) {
  c = LowerAscii(c);
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f');
}

}  // namespace

int ParseMarkupInt(const std::wstring& text) {
  size_t pos = 0;
  return ReadInt(text, pos);
}

bool ParseMarkupBool(const std::wstring& text) { return text == L"true"; }

Size ParseMarkupSize(const std::wstring& text) {
  size_t pos = 0;
  Size s;
  s.cx = ReadInt(text, pos);
  SkipPastComma(text, pos);
  s.cy = ReadInt(text, pos);
  return s;
}

Rect ParseMarkupRect(const std::wstring& text) {
  size_t pos = 0;
  Rect r;
  r.left = ReadInt(text, pos);
  SkipPastComma(text, pos);
  r.top = ReadInt(text, pos);
  SkipPastComma(text, pos);
  r.right = ReadInt(text, pos);
  SkipPastComma(text, pos);
  r.bottom = ReadInt(text, pos);
  return r;
}

uint32_t ParseMarkupColor(const std::wstring& text) {
  size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  if (pos < text.size() && text[pos] == L'#') ++pos;
  if (pos + 1 < text.size() && text[pos] == L'0' && (text[pos + 1] == L'x' || text[pos + 1] == L'X')) pos += 2;
  uint32_t value = 0;
  for (; pos < text.size() && IsHexDigit(text[pos]); ++pos) {
    wchar_t c = LowerAscii(text[pos]);
    uint32_t digit = (c >= L'a') ? static_cast<uint32_t>(c - L'a' + 10) : static_cast<uint32_t>(c - L'0');
    value = (value << 4) | digit;  // like the C hexadecimal reader, the low 32 bits remain
  }
  return value;
}

bool EqualsIgnoreCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

std::wstring ToLowerAscii(const std::wstring& text) {
  std::wstring out(text);
  for (auto& c : out) c = LowerAscii(c);
  return out;
}

}  // namespace Vellum
