#include "ui/toolkit/progress_ui.h"

#include "ui/toolkit/markup_values.h"

namespace Vellum {

std::wstring CProgressUI::GetClass() const { return L"Progress"; }

void CProgressUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  if (name == L"foreimage") {
    SetForeImage(value);
  } else if (name == L"min") {
    min_ = ParseMarkupInt(value);
    SetValue(value_);
  } else if (name == L"max") {
    max_ = ParseMarkupInt(value);
    SetValue(value_);
  } else if (name == L"value") {
    SetValue(ParseMarkupInt(value));
  } else {
    CLabelUI::SetAttribute(name, value);
  }
}

void CProgressUI::SetValue(int value) {
  if (max_ >= min_) {
    if (value > max_) value = max_;
    if (value < min_) value = min_;
  } else {
    value = min_;  // an inverted range from the markup leaves no room to fill
  }
  if (value == value_) return;
  value_ = value;
  Invalidate();
}

void CProgressUI::SetForeImage(const std::wstring& descriptor) {
  if (descriptor == foreImage_) return;
  foreImage_ = descriptor;
  Invalidate();
}

int CProgressUI::FillWidth(int width) const {
  long long range = static_cast<long long>(max_) - min_;
  if (range <= 0 || width <= 0) return 0;
  return static_cast<int>(static_cast<long long>(width) * (static_cast<long long>(value_) - min_) / range);
}

}  // namespace Vellum
