#include "ui/main/decorations_bridge.h"

#include "ui/sequence_controls.h"
#include "ui/sequence_label_ui.h"
#include "ui/show_prompt.h"

namespace MainWindow {


int Prompt(HWND owner, const std::wstring& file, const wchar_t* text, const wchar_t* caption) {
  return Vellum::ShowPrompt(owner, file, text, caption);
}

std::unique_ptr<Vellum::CControlUI> CreateSequenceControl(const std::wstring& className) {
  return Vellum::CreateSequenceControl(className);
}

bool IsSequenceLabel(const Vellum::CControlUI* control) {
  return dynamic_cast<const Vellum::CSequenceLabelUI*>(control) != nullptr;
}

void StartSequence(Vellum::CControlUI* control) {
  if (auto* label = dynamic_cast<Vellum::CSequenceLabelUI*>(control)) label->Start();
}

}  // namespace MainWindow
