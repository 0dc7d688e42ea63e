// An option without a group that toggles on every click.
#pragma once
#include "ui/toolkit/option_ui.h"

namespace Vellum {

class CCheckBoxUI : public COptionUI {
 public:
  std::wstring GetClass() const override;
};

}  // namespace Vellum
