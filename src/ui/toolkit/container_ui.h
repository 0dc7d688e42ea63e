// A control with children, laid out by the layout engine according to its
// kind. Owns its children; children keep a pointer back to it.
#pragma once
#include <memory>
#include <vector>

#include "ui/toolkit/control_ui.h"

namespace Vellum {

// How a container places its children (read by the layout engine).
enum class LayoutKind { kStack, kHorizontal, kVertical, kTab };

class IContainerUI {
 public:
  virtual ~IContainerUI() = default;
  virtual CControlUI* GetItemAt(int index) const = 0;
  virtual int GetCount() const = 0;
  // Takes ownership; returns false (and drops nothing) for a null control.
  virtual bool Add(std::unique_ptr<CControlUI> control) = 0;
};

class CContainerUI : public CControlUI, public IContainerUI {
 public:
  std::wstring GetClass() const override;
  CContainerUI* AsContainer() override { return this; }
  virtual LayoutKind GetLayoutKind() const { return LayoutKind::kStack; }

  CControlUI* GetItemAt(int index) const override;
  int GetCount() const override { return static_cast<int>(items_.size()); }
  bool Add(std::unique_ptr<CControlUI> control) override;
  int GetItemIndex(const CControlUI* control) const;

  void SetHost(IControlHost* host) override;
  void DoInit() override;

 private:
  std::vector<std::unique_ptr<CControlUI>> items_;
};

}  // namespace Vellum
