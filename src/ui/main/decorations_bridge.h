// The main window's use of the decorations layer in one place: the prompt
// dialogs and the frame-sequence controls. Main thread only.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

namespace Vellum {
class CControlUI;
}

namespace MainWindow {

// Shows a dialog file modally over owner; 0 "okBtn", 1 "cancelBtn", 2 another button.
int Prompt(HWND owner, const std::wstring& file, const wchar_t* text, const wchar_t* caption);
// "SequenceButton" and "SequenceLabel" (any case); nullptr for other names.
std::unique_ptr<Vellum::CControlUI> CreateSequenceControl(const std::wstring& className);
bool IsSequenceLabel(const Vellum::CControlUI* control);
// Restarts the animation of a sequence label from its first frame.
void StartSequence(Vellum::CControlUI* control);

}  // namespace MainWindow
