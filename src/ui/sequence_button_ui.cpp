#include "ui/sequence_button_ui.h"

namespace Vellum {

CSequenceButtonUI::CSequenceButtonUI() : animation_(60, true) {}

CSequenceButtonUI::~CSequenceButtonUI() { animation_.Stop(*this); }

std::wstring CSequenceButtonUI::GetClass() const { return L"SequenceButton"; }

void CSequenceButtonUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  if (!animation_.SetAttribute(name, value)) CButtonUI::SetAttribute(name, value);
}

void CSequenceButtonUI::DoInit() {
  CButtonUI::DoInit();
  animation_.Init(*this);
}

void CSequenceButtonUI::OnTimer(uint32_t id) {
  if (id == kSequenceTimerId) animation_.Tick(*this);
}

void CSequenceButtonUI::SetSequencePattern(const std::wstring& pattern) { animation_.SetPattern(pattern); }
std::wstring CSequenceButtonUI::GetSequencePattern() const { return animation_.GetPattern(); }
void CSequenceButtonUI::SetSequenceCount(int32_t count) { animation_.SetCount(count); }
int32_t CSequenceButtonUI::GetSequenceCount() const { return animation_.GetCount(); }
void CSequenceButtonUI::SetSequencePeriod(int32_t periodMs) { animation_.SetPeriod(periodMs); }
int32_t CSequenceButtonUI::GetSequencePeriod() const { return animation_.GetPeriod(); }

void CSequenceButtonUI::Start() { animation_.Start(*this); }
void CSequenceButtonUI::Stop() { animation_.Stop(*this); }

}  // namespace Vellum
