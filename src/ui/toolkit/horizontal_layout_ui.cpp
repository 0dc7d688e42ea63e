#include "ui/toolkit/horizontal_layout_ui.h"

namespace Vellum {

std::wstring CHorizontalLayoutUI::GetClass() const { return L"HorizontalLayout"; }

}  // namespace Vellum
