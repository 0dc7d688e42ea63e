// A container that places its visible children left to right, in document order
// (see layout_engine.h for the rules).
#pragma once
#include "ui/toolkit/container_ui.h"

namespace Vellum {

class CHorizontalLayoutUI : public CContainerUI {
 public:
  std::wstring GetClass() const override;
  LayoutKind GetLayoutKind() const override { return LayoutKind::kHorizontal; }
};

}  // namespace Vellum
