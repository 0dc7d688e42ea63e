// The fonts a markup file defines, by id, and which one is the window's default.
// The window layer creates the native fonts from these records.
#pragma once
#include <map>
#include <string>

namespace Vellum {

struct FontSpec {
  int id = 0;
  std::wstring name;   // face name, at most kMaxFaceName characters
  int size = 0;        // character height in pixels (created with height -size)
  bool bold = false;   // weight raised by 700 over the default GUI font's weight
  bool underline = false;
  bool italic = false;
};

class CFontTable {
 public:
  static constexpr size_t kMaxFaceName = 31;

  // A later font with the same id replaces the earlier one; the face name is cut
  // to kMaxFaceName characters. isDefault makes it the window's default font.
  void Add(FontSpec font, bool isDefault);
  // nullptr when no font has this id.
  const FontSpec* Find(int id) const;
  // The id of the default font, -1 when the markup names none.
  int DefaultId() const { return defaultId_; }
  // The font a control with this font attribute uses (-1: the default one);
  // nullptr when neither exists.
  const FontSpec* Resolve(int id) const;
  size_t Count() const { return fonts_.size(); }
  const std::map<int, FontSpec>& All() const { return fonts_; }

 private:
  std::map<int, FontSpec> fonts_;
  int defaultId_ = -1;
};

}  // namespace Vellum
