#include "ui/toolkit/container_ui.h"

namespace Vellum {

std::wstring CContainerUI::GetClass() const { return L"Container"; }

CControlUI* CContainerUI::GetItemAt(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

bool CContainerUI::Add(std::unique_ptr<CControlUI> control) {
  if (!control) return false;
  control->SetParent(this);
  control->SetHost(GetHost());
  items_.push_back(std::move(control));
  NeedParentLayout();
  return true;
}

int CContainerUI::GetItemIndex(const CControlUI* control) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].get() == control) return static_cast<int>(i);
  }
  return -1;
}

void CContainerUI::SetHost(IControlHost* host) {
  CControlUI::SetHost(host);
  for (auto& item : items_) item->SetHost(host);
}

void CContainerUI::DoInit() {
  for (auto& item : items_) item->DoInit();
}

}  // namespace Vellum
