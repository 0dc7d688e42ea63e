// Walks over a control tree.
#pragma once
#include <string>

namespace Vellum {

class CControlUI;

// The first control (depth first, document order) whose name equals name
// exactly; nullptr for an empty name or when none has it.
CControlUI* FindControlByName(CControlUI* root, const std::wstring& name);

}  // namespace Vellum
