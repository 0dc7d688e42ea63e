#include "ui/sequence_animation.h"

#include <algorithm>

#include "ui/toolkit/control_host.h"
#include "ui/toolkit/control_ui.h"
#include "ui/toolkit/markup_values.h"

namespace Vellum {

namespace {
// Only the exact word "false" turns these flags off.
bool FlagValue(const std::wstring& value) { return value != L"false"; }
}  // namespace

bool CSequenceAnimation::SetAttribute(const std::wstring& name, const std::wstring& value) {
  if (name == L"sequencebkimage") {
    pattern_ = value;
  } else if (EqualsIgnoreCase(name, L"sequencecount")) {
    count_ = ParseMarkupInt(value);
  } else if (EqualsIgnoreCase(name, L"sequencespan")) {
    period_ = ParseMarkupInt(value);
  } else if (EqualsIgnoreCase(name, L"sequenceloop")) {
    loop_ = FlagValue(value);
  } else if (EqualsIgnoreCase(name, L"autostart")) {
    autoStart_ = FlagValue(value);
  } else if (EqualsIgnoreCase(name, L"sequenceround")) {
    roundTrip_ = FlagValue(value);
  } else {
    return false;
  }
  return true;
}

void CSequenceAnimation::Start(CControlUI& control) {
  state_.index = 0;
  if (IControlHost* host = control.GetHost()) {
    host->SetTimer(&control, kSequenceTimerId, static_cast<uint32_t>(std::max(period_, 0)));
  }
}

void CSequenceAnimation::Stop(CControlUI& control) const {
  if (IControlHost* host = control.GetHost()) host->KillTimer(&control, kSequenceTimerId);
}

void CSequenceAnimation::Init(CControlUI& control) const {
  if (!autoStart_) return;
  if (IControlHost* host = control.GetHost()) {
    host->SetTimer(&control, kSequenceTimerId, static_cast<uint32_t>(std::max(period_, 0)));
  }
}

void CSequenceAnimation::Tick(CControlUI& control) {
  if (pattern_.empty()) return;
  FrameStep step = StepFrameSequence(state_, count_, loop_, roundTrip_);
  if (step.stop) {
    Stop(control);
    return;
  }
  // The same frame again (a one-frame sequence) still repaints at every tick.
  std::wstring name;
  if (FormatFrameName(pattern_, step.frame, &name) && name != control.GetBkImage()) {
    control.SetBkImage(name);
  } else {
    control.Invalidate();
  }
}

}  // namespace Vellum
