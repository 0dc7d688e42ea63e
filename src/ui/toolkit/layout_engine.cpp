#include "ui/toolkit/layout_engine.h"

#include <vector>

#include "ui/toolkit/container_ui.h"

namespace Vellum {
namespace {

// One axis of a linear layout, so horizontal and vertical share the algorithm.
struct Axis {
  bool horizontal;
  int Fixed(const CControlUI& c) const { return horizontal ? c.GetFixedWidth() : c.GetFixedHeight(); }
  int FixedCross(const CControlUI& c) const { return horizontal ? c.GetFixedHeight() : c.GetFixedWidth(); }
  int LeadPad(const CControlUI& c) const { return horizontal ? c.GetPadding().left : c.GetPadding().top; }
  int TrailPad(const CControlUI& c) const { return horizontal ? c.GetPadding().right : c.GetPadding().bottom; }
  int CrossLeadPad(const CControlUI& c) const { return horizontal ? c.GetPadding().top : c.GetPadding().left; }
  int CrossTrailPad(const CControlUI& c) const { return horizontal ? c.GetPadding().bottom : c.GetPadding().right; }
  int Start(const Rect& r) const { return horizontal ? r.left : r.top; }
  int Length(const Rect& r) const { return horizontal ? r.Width() : r.Height(); }
  int CrossStart(const Rect& r) const { return horizontal ? r.top : r.left; }
  int CrossLength(const Rect& r) const { return horizontal ? r.Height() : r.Width(); }
  Rect Make(int main, int mainSize, int cross, int crossSize) const {
    return horizontal ? Rect{main, cross, main + mainSize, cross + crossSize}
                      : Rect{cross, main, cross + crossSize, main + mainSize};
  }
};

std::vector<CControlUI*> VisibleChildren(CContainerUI& c) {
  std::vector<CControlUI*> out;
  for (int i = 0; i < c.GetCount(); ++i) {
    if (c.GetItemAt(i)->IsVisible()) out.push_back(c.GetItemAt(i));
  }
  return out;
}

void ArrangeLinear(CContainerUI& container, const Rect& area, Axis axis) {
  // Step 1: the visible children and what the fixed ones and all paddings take.
  std::vector<CControlUI*> children = VisibleChildren(container);
  int used = 0;
  int flexible = 0;
  for (CControlUI* c : children) {
    used += axis.LeadPad(*c) + axis.TrailPad(*c);
    if (axis.Fixed(*c) > 0) used += axis.Fixed(*c);
    else ++flexible;
  }
  // Step 2: the equal share of the flexible children; the last one takes the rest.
  int remaining = axis.Length(area) - used;
  if (remaining < 0) remaining = 0;
  int share = flexible ? remaining / flexible : 0;
  int lastShare = flexible ? remaining - share * (flexible - 1) : 0;
  // Step 3: place each child along the direction, then across it.
  int cursor = axis.Start(area);
  int seenFlexible = 0;
  for (CControlUI* c : children) {
    int size = axis.Fixed(*c);
    if (size <= 0) size = (++seenFlexible == flexible) ? lastShare : share;
    cursor += axis.LeadPad(*c);
    int crossStart = axis.CrossStart(area) + axis.CrossLeadPad(*c);
    int crossSize = axis.FixedCross(*c);
    if (crossSize <= 0) {
      crossSize = axis.CrossLength(area) - axis.CrossLeadPad(*c) - axis.CrossTrailPad(*c);
      if (crossSize < 0) crossSize = 0;
    }
    CLayoutEngine::Arrange(*c, axis.Make(cursor, size, crossStart, crossSize));
    cursor += size + axis.TrailPad(*c);
  }
}

void ArrangeStacked(CContainerUI& container, const Rect& area) {
  for (CControlUI* c : VisibleChildren(container)) CLayoutEngine::Arrange(*c, area);
}

}  // namespace

void CLayoutEngine::Arrange(CControlUI& control, const Rect& area) {
  control.SetPos(area);
  CContainerUI* container = control.AsContainer();
  if (!container) return;
  switch (container->GetLayoutKind()) {
    case LayoutKind::kHorizontal:
      ArrangeLinear(*container, area, Axis{true});
      break;
    case LayoutKind::kVertical:
      ArrangeLinear(*container, area, Axis{false});
      break;
    case LayoutKind::kTab:
    case LayoutKind::kStack:
      ArrangeStacked(*container, area);
      break;
  }
}

}  // namespace Vellum
