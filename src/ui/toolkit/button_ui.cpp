#include "ui/toolkit/button_ui.h"

#include "ui/toolkit/markup_values.h"

namespace Vellum {

CButtonUI::CButtonUI() { SetTextStyle(kTextCenter | kTextVCenter | kTextSingleLine); }

std::wstring CButtonUI::GetClass() const { return L"Button"; }

void CButtonUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  if (name == L"normalimage") {
    normalImage_ = value;
  } else if (name == L"hotimage") {
    hotImage_ = value;
  } else if (name == L"pushedimage") {
    pushedImage_ = value;
  } else if (name == L"disabledimage") {
    disabledImage_ = value;
  } else if (name == L"hotbkcolor") {
    hotBkColor_ = ParseMarkupColor(value);
  } else if (name == L"pushedbkcolor") {
    pushedBkColor_ = ParseMarkupColor(value);
  } else if (name == L"hottextcolor") {
    hotTextColor_ = ParseMarkupColor(value);
  } else if (name == L"pushedtextcolor") {
    pushedTextColor_ = ParseMarkupColor(value);
  } else {
    CLabelUI::SetAttribute(name, value);
  }
}

void CButtonUI::SetButtonState(uint32_t state) {
  if (state == state_) return;
  state_ = state;
  Invalidate();
}

}  // namespace Vellum
