// A container that shows one child (page) at a time over its whole area.
#pragma once
#include "ui/toolkit/container_ui.h"

namespace Vellum {

class CTabLayoutUI : public CContainerUI {
 public:
  std::wstring GetClass() const override;
  LayoutKind GetLayoutKind() const override { return LayoutKind::kTab; }

  // The first page added becomes the current one; later pages start hidden.
  bool Add(std::unique_ptr<CControlUI> control) override;
  // Index of the visible page, -1 while there is none.
  int GetCurSel() const { return curSel_; }
  // Fails for an index outside the pages. Selecting the current page succeeds
  // and changes nothing. Otherwise shows and focuses the page, hides the others,
  // lays out again and, when raiseEvent, raises "tabselect" (new, old index).
  bool SelectItem(int index, bool raiseEvent);

 private:
  int curSel_ = -1;
};

}  // namespace Vellum
