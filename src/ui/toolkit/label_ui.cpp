#include "ui/toolkit/label_ui.h"

#include "ui/toolkit/markup_values.h"

namespace Vellum {

namespace {
constexpr uint32_t kHorizontalMask = kTextCenter | kTextRight;
constexpr uint32_t kVerticalMask = kTextVCenter | kTextBottom;
}  // namespace

CLabelUI::CLabelUI() : textStyle_(kTextLeft | kTextVCenter | kTextSingleLine) {}

std::wstring CLabelUI::GetClass() const { return L"Label"; }

void CLabelUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  if (name == L"font") {
    font_ = ParseMarkupInt(value);
  } else if (name == L"textcolor") {
    textColor_ = ParseMarkupColor(value);
  } else if (name == L"align") {
    uint32_t h = value == L"center" ? kTextCenter : (value == L"right" ? kTextRight : kTextLeft);
    if (value == L"left" || value == L"center" || value == L"right") textStyle_ = (textStyle_ & ~kHorizontalMask) | h;
  } else if (name == L"valign") {
    uint32_t v = value == L"center" ? kTextVCenter : (value == L"bottom" ? kTextBottom : kTextTop);
    if (value == L"top" || value == L"center" || value == L"bottom") textStyle_ = (textStyle_ & ~kVerticalMask) | v;
  } else if (name == L"textpadding") {
    textPadding_ = ParseMarkupRect(value);
  } else if (name == L"multiline") {
    if (ParseMarkupBool(value)) {
      textStyle_ = (textStyle_ & ~kTextSingleLine) | kTextWordBreak;
    } else {
      textStyle_ = (textStyle_ & ~kTextWordBreak) | kTextSingleLine;
    }
  } else {
    CControlUI::SetAttribute(name, value);
  }
}

}  // namespace Vellum
