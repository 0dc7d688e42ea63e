#include "ui/sequence_label_ui.h"

namespace Vellum {

CSequenceLabelUI::CSequenceLabelUI() : animation_(30, false) {}

CSequenceLabelUI::~CSequenceLabelUI() { animation_.Stop(*this); }

std::wstring CSequenceLabelUI::GetClass() const { return L"SequenceLabel"; }

void CSequenceLabelUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  if (!animation_.SetAttribute(name, value)) CLabelUI::SetAttribute(name, value);
}

void CSequenceLabelUI::DoInit() {
  CLabelUI::DoInit();
  animation_.Init(*this);
}

void CSequenceLabelUI::OnTimer(uint32_t id) {
  if (id == kSequenceTimerId) animation_.Tick(*this);
}

void CSequenceLabelUI::SetSequencePattern(const std::wstring& pattern) { animation_.SetPattern(pattern); }
std::wstring CSequenceLabelUI::GetSequencePattern() const { return animation_.GetPattern(); }
void CSequenceLabelUI::SetSequenceCount(int32_t count) { animation_.SetCount(count); }
int32_t CSequenceLabelUI::GetSequenceCount() const { return animation_.GetCount(); }
void CSequenceLabelUI::SetSequencePeriod(int32_t periodMs) { animation_.SetPeriod(periodMs); }
int32_t CSequenceLabelUI::GetSequencePeriod() const { return animation_.GetPeriod(); }

void CSequenceLabelUI::Start() { animation_.Start(*this); }
void CSequenceLabelUI::Stop() { animation_.Stop(*this); }

}  // namespace Vellum
