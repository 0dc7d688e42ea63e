// The one bitmap format the toolkit paints with: 32 bits a pixel, rows from the
// top, each pixel 0xAARRGGBB with the colours premultiplied by alpha (what
// AlphaBlend and UpdateLayeredWindow take).
//
// Thread: any; the bitmap belongs to the caller (DeleteObject).
#pragma once
#include <windows.h>

namespace Vellum {

// A width x height bitmap of that format, compatible with dc (may be null);
// nullptr when it cannot be made. *bits receives its pixels, zero-filled.
HBITMAP CreateTopDownDib(HDC dc, int width, int height, void** bits);

}  // namespace Vellum
