// A text field. While it has the focus the window layer hosts a native edit
// window over it and copies the typed text back with SetText.
#pragma once
#include "ui/toolkit/label_ui.h"

namespace Vellum {

class CEditUI : public CLabelUI {
 public:
  CEditUI();
  std::wstring GetClass() const override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;

  // Characters the field accepts; 255 unless the markup says otherwise.
  int GetMaxChar() const { return maxChar_; }
  bool IsReadOnly() const { return readOnly_; }

 private:
  int maxChar_ = 255;
  bool readOnly_ = false;
};

}  // namespace Vellum
