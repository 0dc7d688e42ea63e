#include "ui/toolkit/tab_layout_ui.h"

#include "ui/toolkit/control_host.h"

namespace Vellum {

std::wstring CTabLayoutUI::GetClass() const { return L"TabLayout"; }

bool CTabLayoutUI::Add(std::unique_ptr<CControlUI> control) {
  if (!control) return false;
  bool first = GetCount() == 0;
  control->SetVisible(first);
  if (!CContainerUI::Add(std::move(control))) return false;
  if (first) curSel_ = 0;
  return true;
}

bool CTabLayoutUI::SelectItem(int index, bool raiseEvent) {
  if (index < 0 || index >= GetCount()) return false;
  if (index == curSel_) return true;
  int old = curSel_;
  curSel_ = index;
  for (int i = 0; i < GetCount(); ++i) {
    if (i != index) GetItemAt(i)->SetVisible(false);
  }
  CControlUI* page = GetItemAt(index);
  page->SetVisible(true);
  page->SetFocus();
  NeedParentLayout();
  if (raiseEvent && GetHost()) {
    GetHost()->SendNotify(this, L"tabselect", static_cast<uint32_t>(index), static_cast<uint32_t>(old));
  }
  return true;
}

}  // namespace Vellum
