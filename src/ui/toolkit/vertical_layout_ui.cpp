#include "ui/toolkit/vertical_layout_ui.h"

namespace Vellum {

std::wstring CVerticalLayoutUI::GetClass() const { return L"VerticalLayout"; }

}  // namespace Vellum
