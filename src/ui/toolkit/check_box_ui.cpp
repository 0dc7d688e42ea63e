#include "ui/toolkit/check_box_ui.h"

namespace Vellum {

std::wstring CCheckBoxUI::GetClass() const { return L"CheckBox"; }

}  // namespace Vellum
