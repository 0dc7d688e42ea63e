#include "ui/frame_sequence.h"

#include <string>

namespace Vellum {

FrameStep StepFrameSequence(FrameSequenceState& state, int32_t count, bool loop, bool roundTrip) {
  FrameStep step;
  const uint32_t last = static_cast<uint32_t>(count) - 1u;
  if (state.forward && state.index > last) {
    if (roundTrip) {
      state.forward = false;
      state.index = static_cast<uint32_t>(count) - 2u;
    } else {
      state.index = 0;
      if (!loop) {
        step.stop = true;
        return step;
      }
    }
  }
  if (!state.forward && state.index == 0) {
    if (roundTrip) state.forward = true;
    state.index = 0;
    if (!loop) {
      step.stop = true;
      return step;
    }
  }
  step.show = true;
  step.frame = state.index;
  if (state.forward) {
    ++state.index;
  } else {
    --state.index;
  }
  return step;
}

namespace {

struct Conversion {
  bool left = false, zero = false, plus = false, space = false, alternate = false;
  size_t width = 0;
  bool hasPrecision = false;
  size_t precision = 0;
  wchar_t kind = 0;
};

constexpr size_t kMaxField = 64;  // widths and precisions beyond this are refused

bool ReadNumber(const std::wstring& s, size_t* i, size_t* value) {
  *value = 0;
  while (*i < s.size() && s[*i] >= L'0' && s[*i] <= L'9') {
    *value = *value * 10 + static_cast<size_t>(s[*i] - L'0');
    if (*value > kMaxField) return false;
    ++*i;
  }
  return true;
}

// Parses the conversion after a '%' at *i; leaves *i after it.
bool ParseConversion(const std::wstring& s, size_t* i, Conversion* c) {
  for (; *i < s.size(); ++*i) {
    wchar_t f = s[*i];
    if (f == L'-') c->left = true;
    else if (f == L'0') c->zero = true;
    else if (f == L'+') c->plus = true;
    else if (f == L' ') c->space = true;
    else if (f == L'#') c->alternate = true;
    else break;
  }
  if (!ReadNumber(s, i, &c->width)) return false;
  if (*i < s.size() && s[*i] == L'.') {
    ++*i;
    c->hasPrecision = true;
    if (!ReadNumber(s, i, &c->precision)) return false;
  }
  // Length modifiers change nothing for a 32-bit frame number.
  while (*i < s.size() && (s[*i] == L'h' || s[*i] == L'l')) ++*i;
  if (*i >= s.size()) return false;
  c->kind = s[*i];
  ++*i;
  return c->kind == L'd' || c->kind == L'i' || c->kind == L'u' || c->kind == L'x' || c->kind == L'X' ||
         c->kind == L'o';
}

std::wstring Digits(uint64_t value, unsigned base, bool upper) {
  const wchar_t* set = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
  std::wstring out;
  do {
    out.insert(out.begin(), set[value % base]);
    value /= base;
  } while (value != 0);
  return out;
}

std::wstring FormatInteger(const Conversion& c, uint32_t frame) {
  std::wstring sign, prefix;
  uint64_t magnitude = frame;
  unsigned base = 10;
  if (c.kind == L'd' || c.kind == L'i') {
    int64_t v = static_cast<int32_t>(frame);
    if (v < 0) sign = L"-";
    else if (c.plus) sign = L"+";
    else if (c.space) sign = L" ";
    magnitude = static_cast<uint64_t>(v < 0 ? -v : v);
  } else if (c.kind == L'x' || c.kind == L'X') {
    base = 16;
    if (c.alternate && frame != 0) prefix = c.kind == L'x' ? L"0x" : L"0X";
  } else if (c.kind == L'o') {
    base = 8;
  }
  std::wstring digits = Digits(magnitude, base, c.kind == L'X');
  if (c.hasPrecision && c.precision == 0 && magnitude == 0) digits.clear();
  if (c.hasPrecision && digits.size() < c.precision) digits.insert(0, c.precision - digits.size(), L'0');
  if (c.kind == L'o' && c.alternate && (digits.empty() || digits[0] != L'0')) digits.insert(0, 1, L'0');
  std::wstring body = sign + prefix + digits;
  if (body.size() >= c.width) return body;
  size_t pad = c.width - body.size();
  if (c.left) return body + std::wstring(pad, L' ');
  if (c.zero && !c.hasPrecision) return sign + prefix + std::wstring(pad, L'0') + digits;
  return std::wstring(pad, L' ') + body;
}

}  // namespace

bool FormatFrameName(const std::wstring& pattern, uint32_t frame, std::wstring* name) {
  std::wstring out;
  bool converted = false;
  for (size_t i = 0; i < pattern.size();) {
    if (pattern[i] != L'%') {
      out += pattern[i++];
      continue;
    }
    ++i;
    if (i < pattern.size() && pattern[i] == L'%') {
      out += L'%';
      ++i;
      continue;
    }
    Conversion c;
    if (converted || !ParseConversion(pattern, &i, &c)) {
      name->clear();
      return false;
    }
    converted = true;
    out += FormatInteger(c, frame);
  }
  if (out.size() > kMaxFrameName) out.resize(kMaxFrameName);
  *name = std::move(out);
  return true;
}

}  // namespace Vellum
