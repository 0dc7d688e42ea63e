#include "gui/support/gui_pump.h"

#include "ui/toolkit/control_ui.h"

namespace GuiTest {

namespace {
std::wstring ClassNameOf(const std::wstring& skinFile) {
  size_t dot = skinFile.rfind(L'.');
  return dot == std::wstring::npos ? skinFile : skinFile.substr(0, dot);
}
}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = ::GetTickCount();
  for (;;) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!Vellum::CUIManager::TranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
    }
    if (done()) return true;
    DWORD spent = ::GetTickCount() - start;
    if (spent >= timeoutMs) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - spent, QS_ALLINPUT);
  }
}

void PumpPending() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

RecordingFrame::RecordingFrame(const std::wstring& skinFile)
    : CSkinFrame(Vellum::FrameParams{Vellum::kResourceZipInResource, 147, L"", skinFile, ClassNameOf(skinFile)}) {}

void RecordingFrame::Notify(Vellum::NotifyEvent& msg) {
  events.push_back(Recorded{msg.type, msg.sender ? msg.sender->GetName() : std::wstring(), msg.wParam, msg.lParam,
                            ::GetCurrentThreadId()});
  if (onEvent) onEvent(events.back());
  CSkinFrame::Notify(msg);
}

bool RecordingFrame::Open() {
  // A pointer left over a button by an earlier test would paint its hot face.
  ::SetCursorPos(0, 0);
  if (!Create(nullptr, GetFrameParams().windowClassName.c_str(), 0x10CF0000, 0)) return false;
  CenterWindow();
  ShowWindow(true, true);
  ::SetForegroundWindow(GetHWND());
  ::UpdateWindow(GetHWND());
  PumpPending();
  return true;
}

int RecordingFrame::Count(const std::wstring& type, const std::wstring& sender) const {
  int n = 0;
  for (const auto& e : events) {
    if (e.type == type && (sender.empty() || e.sender == sender)) ++n;
  }
  return n;
}

}  // namespace GuiTest
