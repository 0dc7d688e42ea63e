// The markup elements "SequenceLabel" and "SequenceButton": a window's
// custom-control hook hands unknown element names here.
#pragma once
#include <memory>
#include <string>

namespace Vellum {

class CControlUI;

// A new CSequenceLabelUI or CSequenceButtonUI for those element names (ignoring
// case), nullptr for any other.
std::unique_ptr<CControlUI> CreateSequenceControl(const std::wstring& elementName);

}  // namespace Vellum
