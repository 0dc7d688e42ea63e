#include "ui/toolkit/control_ui.h"

#include "ui/toolkit/control_host.h"
#include "ui/toolkit/markup_values.h"

namespace Vellum {

std::wstring CControlUI::GetClass() const { return L"Control"; }

void CControlUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  if (name == L"name") {
    name_ = value;
  } else if (name == L"width") {
    SetFixedWidth(ParseMarkupInt(value));
  } else if (name == L"height") {
    SetFixedHeight(ParseMarkupInt(value));
  } else if (name == L"pos") {
    Rect r = ParseMarkupRect(value);
    fixedXY_ = Point{r.left, r.top};
    SetFixedWidth(r.right - r.left);
    SetFixedHeight(r.bottom - r.top);
  } else if (name == L"padding") {
    padding_ = ParseMarkupRect(value);
  } else if (name == L"bkcolor") {
    bkColor_ = ParseMarkupColor(value);
  } else if (name == L"bkimage") {
    SetBkImage(value);
  } else if (name == L"borderround") {
    borderRound_ = ParseMarkupSize(value);
  } else if (name == L"bordersize") {
    if (value.find(L',') == std::wstring::npos) {
      int w = ParseMarkupInt(value);
      borderSize_ = Rect{w, w, w, w};
    } else {
      borderSize_ = ParseMarkupRect(value);
    }
  } else if (name == L"text") {
    SetText(value);
  } else if (name == L"visible") {
    SetVisible(ParseMarkupBool(value));
  } else if (name == L"enabled") {
    SetEnabled(ParseMarkupBool(value));
  } else if (name == L"userdata") {
    userData_ = value;
  }
}

void CControlUI::SetText(const std::wstring& text) {
  if (text == text_) return;
  text_ = text;
  Invalidate();
}

void CControlUI::SetVisible(bool visible) {
  if (visible == visible_) return;
  if (!visible && host_ && host_->GetFocus() == this) host_->SetFocus(nullptr);
  visible_ = visible;
  NeedParentLayout();
}

void CControlUI::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Invalidate();
}

void CControlUI::SetFocus() {
  if (host_) host_->SetFocus(this);
}

bool CControlUI::IsFocused() const { return host_ && host_->GetFocus() == this; }

void CControlUI::SetFixedWidth(int width) {
  if (width < 0 || width == fixedWidth_) return;
  fixedWidth_ = width;
  NeedParentLayout();
}

void CControlUI::SetFixedHeight(int height) {
  if (height < 0 || height == fixedHeight_) return;
  fixedHeight_ = height;
  NeedParentLayout();
}

void CControlUI::SetBkImage(const std::wstring& descriptor) {
  if (descriptor == bkImage_) return;
  bkImage_ = descriptor;
  Invalidate();
}

void CControlUI::Invalidate() {
  if (host_) host_->Invalidate(this);
}

void CControlUI::NeedParentLayout() {
  if (host_) host_->NeedLayout(this);
}

}  // namespace Vellum
