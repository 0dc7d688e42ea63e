#include "ui/toolkit/window_attributes.h"

#include "ui/toolkit/markup_values.h"

namespace Vellum {

void WindowAttributes::Apply(const std::wstring& name, const std::wstring& value) {
  if (EqualsIgnoreCase(name, L"size")) {
    size = ParseMarkupSize(value);
  } else if (EqualsIgnoreCase(name, L"caption")) {
    caption = ParseMarkupRect(value);
  } else if (EqualsIgnoreCase(name, L"sizebox")) {
    sizeBox = ParseMarkupRect(value);
  } else if (EqualsIgnoreCase(name, L"roundcorner")) {
    roundCorner = ParseMarkupSize(value);
  } else {
    for (auto& entry : custom_) {
      if (EqualsIgnoreCase(entry.first, name)) {
        entry.second = value;
        return;
      }
    }
    custom_.emplace_back(name, value);
  }
}

const std::wstring* WindowAttributes::Custom(const std::wstring& name) const {
  for (const auto& entry : custom_) {
    if (EqualsIgnoreCase(entry.first, name)) return &entry.second;
  }
  return nullptr;
}

bool WindowAttributes::InCaption(Point p, Size window) const {
  return p.x >= caption.left && p.x < window.cx - caption.right && p.y >= caption.top && p.y < caption.bottom;
}

}  // namespace Vellum
