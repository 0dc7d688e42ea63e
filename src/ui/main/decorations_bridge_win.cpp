#include "ui/main/decorations_bridge.h"

#include <cwctype>

#include "ui/sequence_button_ui.h"
#include "ui/sequence_label_ui.h"
#include "ui/show_prompt.h"

namespace MainWindow {

namespace {

bool EqualsIgnoringCase(const std::wstring& a, const wchar_t* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != L'\0'; ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return i == a.size() && b[i] == L'\0';
}

}  // namespace

int Prompt(HWND owner, const std::wstring& file, const wchar_t* text, const wchar_t* caption) {
  return ShowPrompt(owner, file, text, caption);
}

std::unique_ptr<Vellum::CControlUI> CreateSequenceControl(const std::wstring& className) {
  if (EqualsIgnoringCase(className, L"SequenceButton")) return std::make_unique<Vellum::CSequenceButtonUI>();
  if (EqualsIgnoringCase(className, L"SequenceLabel")) return std::make_unique<Vellum::CSequenceLabelUI>();
  return nullptr;
}

bool IsSequenceLabel(const Vellum::CControlUI* control) {
  return dynamic_cast<const Vellum::CSequenceLabelUI*>(control) != nullptr;
}

void StartSequence(Vellum::CControlUI* control) {
  if (auto* label = dynamic_cast<Vellum::CSequenceLabelUI*>(control)) label->Start();
}

}  // namespace MainWindow
