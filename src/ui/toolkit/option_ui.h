// A button with a selected state, optionally one of a named group in which at
// most one member is selected.
#pragma once
#include "ui/toolkit/button_ui.h"

namespace Vellum {

class COptionUI : public CButtonUI {
 public:
  std::wstring GetClass() const override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;

  bool IsSelected() const { return selected_; }
  // Selecting to the current state does nothing. Otherwise stores the state,
  // unselects the other members of the group when becoming selected, raises
  // "selectchanged" when raiseEvent (and attached), and repaints.
  void Selected(bool selected, bool raiseEvent = true);

  const std::wstring& GetGroup() const { return group_; }
  const std::wstring& GetSelectedImage() const { return selectedImage_; }
  uint32_t GetSelectedTextColor() const { return selectedTextColor_; }

 private:
  void UnselectGroupMembers(CControlUI* root, bool raiseEvent);

  bool selected_ = false;
  std::wstring group_;
  std::wstring selectedImage_;
  uint32_t selectedTextColor_ = 0;
};

}  // namespace Vellum
