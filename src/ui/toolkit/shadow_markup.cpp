#include "ui/toolkit/shadow_markup.h"

#include "ui/toolkit/markup_values.h"

namespace Vellum {

ShadowMarkup ReadShadowMarkup(const WindowAttributes& window) {
  ShadowMarkup m;
  const std::wstring* show = window.Custom(L"showshadow");
  m.show = show && EqualsIgnoreCase(*show, L"true");
  if (!m.show) return m;
  if (const std::wstring* v = window.Custom(L"shadowimage")) m.image = *v;
  if (const std::wstring* v = window.Custom(L"shadowcorner")) m.corner = ParseMarkupRect(*v);
  if (const std::wstring* v = window.Custom(L"shadowholeoffset")) m.holeOffset = ParseMarkupRect(*v);
  if (const std::wstring* v = window.Custom(L"shadowsize")) m.size = ParseMarkupInt(*v);
  if (const std::wstring* v = window.Custom(L"shadowsharpness")) m.sharpness = ParseMarkupInt(*v);
  if (const std::wstring* v = window.Custom(L"shadowdarkness")) m.darkness = ParseMarkupInt(*v);
  if (const std::wstring* v = window.Custom(L"shadowposition")) {
    Size s = ParseMarkupSize(*v);
    m.position = Point{s.cx, s.cy};
  }
  if (const std::wstring* v = window.Custom(L"shadowcolor")) m.color = ParseMarkupColor(*v);
  return m;
}

}  // namespace Vellum
