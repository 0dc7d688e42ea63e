// What the "Window" element of a markup file says about its window: the size,
// the caption zone, the size-box margins, the round corner, and every attribute
// the toolkit does not know itself (kept by name for the window classes, such
// as the drop-shadow settings).
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "ui/toolkit/geometry.h"

namespace Vellum {

struct WindowAttributes {
  Size size;
  Rect caption;     // l, t, r, b: from l right of the left edge to r left of the right edge, y from t to b
  Rect sizeBox;
  Size roundCorner;

  // Applies one attribute of the "Window" element; names ignore case.
  void Apply(const std::wstring& name, const std::wstring& value);
  // The value of an attribute the toolkit does not know, or nullptr. Names
  // ignore case; the last value written wins.
  const std::wstring* Custom(const std::wstring& name) const;
  // True when the point (client coordinates) of a window of the given size lies
  // in the caption zone.
  bool InCaption(Point p, Size window) const;

 private:
  std::vector<std::pair<std::wstring, std::wstring>> custom_;
};

}  // namespace Vellum
