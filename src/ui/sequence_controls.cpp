#include "ui/sequence_controls.h"

#include "ui/sequence_button_ui.h"
#include "ui/sequence_label_ui.h"
#include "ui/toolkit/markup_values.h"

namespace Vellum {

std::unique_ptr<CControlUI> CreateSequenceControl(const std::wstring& elementName) {
  if (EqualsIgnoreCase(elementName, L"SequenceLabel")) return std::make_unique<CSequenceLabelUI>();
  if (EqualsIgnoreCase(elementName, L"SequenceButton")) return std::make_unique<CSequenceButtonUI>();
  return nullptr;
}

}  // namespace Vellum
