#include "ui/toolkit/dib_section.h"

namespace Vellum {

HBITMAP CreateTopDownDib(HDC dc, int width, int height, void** bits) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // negative: the first row is the top one
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  *bits = nullptr;
  return ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace Vellum
