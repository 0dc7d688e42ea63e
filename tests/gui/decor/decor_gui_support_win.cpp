#include "gui/decor/decor_gui_support.h"

#include <map>

#include "gui/support/screenshot.h"

namespace DecorTest {

namespace {

void SendMouse(DWORD flags, POINT p) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  in.mi.dx = static_cast<LONG>((p.x * 65536 + cx / 2) / cx);
  in.mi.dy = static_cast<LONG>((p.y * 65536 + cy / 2) / cy);
  in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &in, sizeof(in));
}

std::map<UINT_PTR, ModalScript*>& Scripts() {
  static std::map<UINT_PTR, ModalScript*> scripts;
  return scripts;
}

}  // namespace

void ClickAt(POINT screen) {
  SendMouse(MOUSEEVENTF_MOVE, screen);
  SendMouse(MOUSEEVENTF_LEFTDOWN, screen);
  SendMouse(MOUSEEVENTF_LEFTUP, screen);
}

POINT CenterOf(HWND hwnd, const Vellum::CControlUI* c) {
  POINT p = {(c->GetPos().left + c->GetPos().right) / 2, (c->GetPos().top + c->GetPos().bottom) / 2};
  ::ClientToScreen(hwnd, &p);
  return p;
}

Vellum::CMessageBoxWnd* FindDialog(const std::wstring& className) {
  HWND h = ::FindWindowW(className.c_str(), L"消息框");
  if (!h || !::IsWindowVisible(h)) return nullptr;
  // The window base keeps its object in the window's user data.
  auto* wnd = reinterpret_cast<Vellum::CWindowWnd*>(::GetWindowLongPtrW(h, GWLP_USERDATA));
  return dynamic_cast<Vellum::CMessageBoxWnd*>(wnd);
}

ModalScript::ModalScript(std::wstring dialogClass, std::vector<std::function<bool()>> steps, DWORD timeoutMs)
    : dialogClass_(std::move(dialogClass)), steps_(std::move(steps)), start_(::GetTickCount()), timeoutMs_(timeoutMs) {
  timer_ = ::SetTimer(nullptr, 0, 20, &ModalScript::OnTimer);
  Scripts()[timer_] = this;
}

ModalScript::~ModalScript() {
  ::KillTimer(nullptr, timer_);
  Scripts().erase(timer_);
}

void CALLBACK ModalScript::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Scripts().find(id);
  if (it != Scripts().end()) it->second->Tick();
}

void ModalScript::Tick() {
  // A step may pump messages itself; the timer must not re-enter it.
  if (running_ || Finished()) return;
  running_ = true;
  if (::GetTickCount() - start_ > timeoutMs_) {
    timedOut_ = true;
    next_ = steps_.size();
    while (HWND h = ::FindWindowW(dialogClass_.c_str(), nullptr)) ::DestroyWindow(h);
  } else if (steps_[next_]()) {
    ++next_;
  }
  running_ = false;
}

LRESULT OwnerWindow::HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handledFlag) {
  if (msg == kStatusMessage || msg == kMarkerMessage) {
    bool alive = !watchedDialog.empty() && ::FindWindowW(watchedDialog.c_str(), nullptr) != nullptr;
    handled.push_back({msg, wParam, alive});
    handledFlag = true;
    return 0;
  }
  return RecordingFrame::HandleCustomMessage(msg, wParam, lParam, handledFlag);
}

bool SaveScreenshotOf(HWND hwnd, const std::wstring& name) {
  std::wstring dir = GuiTest::ScreenshotDir();
  if (dir.empty()) return false;
  GuiTest::Screenshot shot = GuiTest::CaptureWindow(hwnd);
  if (shot.pixels.empty()) return false;
  return GuiTest::SavePng(shot, dir + L"\\" + name + L".png");
}

}  // namespace DecorTest
