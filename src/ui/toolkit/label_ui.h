// A control that shows a text in one of the window's fonts.
#pragma once
#include <cstdint>

#include "ui/toolkit/control_ui.h"

namespace Vellum {

// Text style flags; the values are those the Win32 text drawing takes.
enum TextStyle : uint32_t {
  kTextLeft = 0x0,
  kTextCenter = 0x1,
  kTextRight = 0x2,
  kTextTop = 0x0,
  kTextVCenter = 0x4,
  kTextBottom = 0x8,
  kTextWordBreak = 0x10,
  kTextSingleLine = 0x20,
  kTextEndEllipsis = 0x8000,
};

class CLabelUI : public CControlUI {
 public:
  CLabelUI();
  std::wstring GetClass() const override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;

  // -1: the window's default font.
  int GetFont() const { return font_; }
  void SetFont(int font) { font_ = font; }
  uint32_t GetTextStyle() const { return textStyle_; }
  void SetTextStyle(uint32_t style) { textStyle_ = style; }
  // 0: the window's default text colour.
  uint32_t GetTextColor() const { return textColor_; }
  const Rect& GetTextPadding() const { return textPadding_; }

 private:
  int font_ = -1;
  uint32_t textStyle_;
  uint32_t textColor_ = 0;
  Rect textPadding_;
};

}  // namespace Vellum
