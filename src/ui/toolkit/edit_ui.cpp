#include "ui/toolkit/edit_ui.h"

#include "ui/toolkit/markup_values.h"

namespace Vellum {

CEditUI::CEditUI() { SetTextStyle(kTextLeft | kTextVCenter | kTextSingleLine); }

std::wstring CEditUI::GetClass() const { return L"Edit"; }

void CEditUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  if (name == L"maxchar") {
    int n = ParseMarkupInt(value);
    if (n > 0) maxChar_ = n;
  } else if (name == L"readonly") {
    readOnly_ = ParseMarkupBool(value);
  } else {
    CLabelUI::SetAttribute(name, value);
  }
}

}  // namespace Vellum
