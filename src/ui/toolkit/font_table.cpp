#include "ui/toolkit/font_table.h"

namespace Vellum {

void CFontTable::Add(FontSpec font, bool isDefault) {
  if (font.name.size() > kMaxFaceName) font.name.resize(kMaxFaceName);
  int id = font.id;
  fonts_[id] = std::move(font);
  if (isDefault) defaultId_ = id;
}

const FontSpec* CFontTable::Find(int id) const {
  auto it = fonts_.find(id);
  return it == fonts_.end() ? nullptr : &it->second;
}

const FontSpec* CFontTable::Resolve(int id) const {
  if (const FontSpec* f = Find(id)) return f;
  return Find(defaultId_);
}

}  // namespace Vellum
