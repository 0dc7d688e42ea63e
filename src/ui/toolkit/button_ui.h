// A label that reacts to the mouse: state faces (normal, hot, pushed,
// disabled), state background and text colours. The window layer sets the
// state flags from input and raises "click".
#pragma once
#include <cstdint>

#include "ui/toolkit/label_ui.h"

namespace Vellum {

enum ButtonState : uint32_t { kStateHot = 0x1, kStatePushed = 0x2, kStateFocused = 0x4 };

class CButtonUI : public CLabelUI {
 public:
  CButtonUI();
  std::wstring GetClass() const override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;

  const std::wstring& GetNormalImage() const { return normalImage_; }
  const std::wstring& GetHotImage() const { return hotImage_; }
  const std::wstring& GetPushedImage() const { return pushedImage_; }
  const std::wstring& GetDisabledImage() const { return disabledImage_; }
  uint32_t GetHotBkColor() const { return hotBkColor_; }
  uint32_t GetPushedBkColor() const { return pushedBkColor_; }
  uint32_t GetHotTextColor() const { return hotTextColor_; }
  uint32_t GetPushedTextColor() const { return pushedTextColor_; }

  uint32_t GetButtonState() const { return state_; }
  void SetButtonState(uint32_t state);

 private:
  std::wstring normalImage_, hotImage_, pushedImage_, disabledImage_;
  uint32_t hotBkColor_ = 0, pushedBkColor_ = 0;
  uint32_t hotTextColor_ = 0, pushedTextColor_ = 0;
  uint32_t state_ = 0;
};

}  // namespace Vellum
