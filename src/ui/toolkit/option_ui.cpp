#include "ui/toolkit/option_ui.h"

#include "ui/toolkit/container_ui.h"
#include "ui/toolkit/control_host.h"
#include "ui/toolkit/markup_values.h"

namespace Vellum {

std::wstring COptionUI::GetClass() const { return L"Option"; }

void COptionUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  if (name == L"selected") {
    Selected(ParseMarkupBool(value), false);
  } else if (name == L"group") {
    group_ = value;
  } else if (name == L"selectedimage") {
    selectedImage_ = value;
  } else if (name == L"selectedtextcolor") {
    selectedTextColor_ = ParseMarkupColor(value);
  } else {
    CButtonUI::SetAttribute(name, value);
  }
}

void COptionUI::Selected(bool selected, bool raiseEvent) {
  if (selected == selected_) return;
  selected_ = selected;
  if (selected_ && !group_.empty()) {
    CControlUI* root = this;
    while (root->GetParent()) root = root->GetParent();
    UnselectGroupMembers(root, raiseEvent);
  }
  if (raiseEvent && GetHost()) GetHost()->SendNotify(this, L"selectchanged", 0, 0);
  Invalidate();
}

// Groups span the whole tree of the window, so the walk starts at its root.
void COptionUI::UnselectGroupMembers(CControlUI* control, bool raiseEvent) {
  if (auto* option = dynamic_cast<COptionUI*>(control)) {
    if (option != this && option->group_ == group_) option->Selected(false, raiseEvent);
  }
  if (CContainerUI* container = control->AsContainer()) {
    for (int i = 0; i < container->GetCount(); ++i) UnselectGroupMembers(container->GetItemAt(i), raiseEvent);
  }
}

}  // namespace Vellum
