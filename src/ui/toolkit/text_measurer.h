// Text measurement as the layout-related window code needs it: the size a text
// takes in one of the window's fonts. The window layer measures with the native
// fonts; tests inject a fixed measurer so no font is needed.
#pragma once
#include <cstdint>
#include <string>

#include "ui/toolkit/geometry.h"

namespace Vellum {

class ITextMeasurer {
 public:
  virtual ~ITextMeasurer() = default;
  // Width and height the text needs in font fontId (-1: the default font) with
  // the given text style flags (label_ui.h).
  virtual Size MeasureText(const std::wstring& text, int fontId, uint32_t textStyle) const = 0;
};

// Sizes a label to its text along x: sets its fixed width to the measured width
// in the label's own font and style. The main window does this for its product
// name labels once the tree is built.
class CLabelUI;
void FitLabelWidthToText(CLabelUI& label, const ITextMeasurer& measurer);

}  // namespace Vellum
