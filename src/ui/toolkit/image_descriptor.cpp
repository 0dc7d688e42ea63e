#include "ui/toolkit/image_descriptor.h"

#include "ui/toolkit/markup_values.h"

namespace Vellum {
namespace {

// The colour key as written: "#RRGGBB", "FF00FF" or a full "#AARRGGBB". Decoded
// pixels are compared with alpha, so a key without an alpha byte names the
// opaque colour; otherwise no opaque pixel could ever match it.
uint32_t ParseMask(const std::wstring& value) {
  size_t digits = 0;
  for (wchar_t c : value) {
    if ((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F')) ++digits;
  }
  bool prefixed = value.find(L"0x") != std::wstring::npos || value.find(L"0X") != std::wstring::npos;
  if (prefixed && digits > 0) --digits;  // the "0" of "0x"
  uint32_t mask = ParseMarkupColor(value);
  return digits <= 6 ? (mask | 0xFF000000u) : mask;
}

void ApplyKey(ImageDescriptor& d, const std::wstring& key, const std::wstring& value) {
  if (key == L"file") {
    d.file = value;
  } else if (key == L"dest") {
    d.hasDest = true;
    d.dest = ParseMarkupRect(value);
  } else if (key == L"corner") {
    d.corner = ParseMarkupRect(value);
  } else if (key == L"mask") {
    d.hasMask = true;
    d.mask = ParseMask(value);
  } else if (key == L"fade") {
    int fade = ParseMarkupInt(value);
    d.fade = static_cast<uint8_t>(fade < 0 ? 0 : (fade > 255 ? 255 : fade));
  } else if (key == L"hole") {
    d.hole = ParseMarkupBool(value);
  } else if (key == L"xtiled") {
    d.xtiled = ParseMarkupBool(value);
  } else if (key == L"ytiled") {
    d.ytiled = ParseMarkupBool(value);
  }
}

}  // namespace

ImageDescriptor ImageDescriptor::Parse(const std::wstring& text) {
  ImageDescriptor d;
  if (text.find(L"='") == std::wstring::npos) {
    d.file = text;
    return d;
  }
  size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && text[pos] == L' ') ++pos;
    size_t eq = text.find(L'=', pos);
    if (eq == std::wstring::npos || eq + 1 >= text.size() || text[eq + 1] != L'\'') break;
    size_t close = text.find(L'\'', eq + 2);
    if (close == std::wstring::npos) break;
    ApplyKey(d, text.substr(pos, eq - pos), text.substr(eq + 2, close - eq - 2));
    pos = close + 1;
  }
  return d;
}

}  // namespace Vellum
