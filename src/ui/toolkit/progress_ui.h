// A horizontal bar: the background image is the track, the foreground image
// fills the left part in proportion to the value.
#pragma once
#include "ui/toolkit/label_ui.h"

namespace Vellum {

class CProgressUI : public CLabelUI {
 public:
  std::wstring GetClass() const override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;

  int GetMinValue() const { return min_; }
  int GetMaxValue() const { return max_; }
  int GetValue() const { return value_; }
  // Clamped to [minimum, maximum]; repaints when it changes.
  void SetValue(int value);
  const std::wstring& GetForeImage() const { return foreImage_; }
  // Setting the same descriptor again does nothing.
  void SetForeImage(const std::wstring& descriptor);
  // Width of the filled part for a bar of the given width: width * (value - min)
  // / (max - min); 0 when the range is empty.
  int FillWidth(int width) const;

 private:
  int min_ = 0;
  int max_ = 100;
  int value_ = 0;
  std::wstring foreImage_;
};

}  // namespace Vellum
