// The window's hook for markup elements the toolkit does not know.
#pragma once
#include <memory>
#include <string>

namespace Vellum {

class CControlUI;

class IDialogBuilderCallback {
 public:
  virtual ~IDialogBuilderCallback() = default;
  // A new control for the element name (as written), or nullptr when the window
  // does not know it either; the builder then skips the element and its subtree.
  virtual std::unique_ptr<CControlUI> CreateControl(const std::wstring& className) = 0;
};

}  // namespace Vellum
