// Places a control tree into a window's client area.
//
// Rules, per container kind:
//  - horizontal / vertical: the visible children are placed one after another
//    along the direction, in document order. A child with a fixed size along the
//    direction gets it; the space that remains after fixed sizes and paddings is
//    shared equally by the children without one (the last of them also takes
//    the pixels an equal split leaves over). Across the direction a child fills
//    the container unless it has a fixed size, which is placed at the start edge.
//    "padding" adds space outside a child within its parent.
//  - tab: the visible page gets the whole area.
//  - plain container: every visible child gets the whole area.
// Hidden controls are not placed and keep their previous rectangle. The fixed
// offset of "pos" does not move a child of a flowing layout.
//
// Thread: the window's thread; no shared state.
#pragma once
#include "ui/toolkit/geometry.h"

namespace Vellum {

class CControlUI;

class CLayoutEngine {
 public:
  // Sets control's rectangle to area and lays out its subtree.
  static void Arrange(CControlUI& control, const Rect& area);
};

}  // namespace Vellum
