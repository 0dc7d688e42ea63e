#include "ui/toolkit/control_tree.h"

#include "ui/toolkit/container_ui.h"

namespace Vellum {

CControlUI* FindControlByName(CControlUI* root, const std::wstring& name) {
  if (!root || name.empty()) return nullptr;
  if (root->GetName() == name) return root;
  if (CContainerUI* container = root->AsContainer()) {
    for (int i = 0; i < container->GetCount(); ++i) {
      if (CControlUI* found = FindControlByName(container->GetItemAt(i), name)) return found;
    }
  }
  return nullptr;
}

}  // namespace Vellum
