// Readers for the value syntaxes of markup attributes: decimal integers,
// "true" booleans, "cx,cy" sizes, "l,t,r,b" rectangles and "#AARRGGBB" colours.
// Every reader accepts any text and never fails: missing or malformed parts read
// as 0, the way the skins expect a partly written value to behave.
#pragma once
#include <cstdint>
#include <string>

#include "ui/toolkit/geometry.h"

namespace Vellum {

// Leading blanks and a sign allowed; reading stops at the first non-digit;
// values beyond the 32-bit range are clamped.
int ParseMarkupInt(const std::wstring& text);
// Only the exact text "true" is true.
bool ParseMarkupBool(const std::wstring& text);
Size ParseMarkupSize(const std::wstring& text);
Rect ParseMarkupRect(const std::wstring& text);
// A leading "#" is skipped; "0x" is accepted; the value is alpha first (0xAARRGGBB).
uint32_t ParseMarkupColor(const std::wstring& text);

// Compares ASCII letters ignoring case; other characters must be equal.
bool EqualsIgnoreCase(const std::wstring& a, const std::wstring& b);
std::wstring ToLowerAscii(const std::wstring& text);

}  // namespace Vellum
