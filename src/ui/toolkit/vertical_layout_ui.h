// A container that places its visible children top to bottom, in document order
// (see layout_engine.h for the rules).
#pragma once
#include "ui/toolkit/container_ui.h"

namespace Vellum {

class CVerticalLayoutUI : public CContainerUI {
 public:
  std::wstring GetClass() const override;
  LayoutKind GetLayoutKind() const override { return LayoutKind::kVertical; }
};

}  // namespace Vellum
