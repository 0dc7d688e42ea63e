#include "ui/toolkit/text_measurer.h"

#include "ui/toolkit/label_ui.h"

namespace Vellum {

void FitLabelWidthToText(CLabelUI& label, const ITextMeasurer& measurer) {
  Size s = measurer.MeasureText(label.GetText(), label.GetFont(), label.GetTextStyle());
  label.SetFixedWidth(s.cx);
}

}  // namespace Vellum
