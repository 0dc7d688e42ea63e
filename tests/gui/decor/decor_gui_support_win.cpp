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

namespace {

// Premultiplied "over": what UpdateLayeredWindow's per-pixel alpha shows.
uint32_t Over(uint32_t src, uint32_t dst) {
  uint32_t a = src >> 24, out = 0;
  for (int s = 0; s < 24; s += 8) {
    uint32_t c = ((src >> s) & 0xFF) + ((dst >> s) & 0xFF) * (255 - a) / 255;
    out |= (c > 255 ? 255 : c) << s;
  }
  return out;
}

}  // namespace

ShadowShots CaptureWithShadow(HWND window, const Vellum::CDropShadow& shadow) {
  ShadowShots shots;
  HWND sw = shadow.GetShadowWindow();
  const Vellum::ShadowBitmap& bmp = shadow.GetLastRender();
  shots.shown = GuiTest::CaptureWindow(sw);
  if (shots.shown.pixels.empty() || shots.shown.width != bmp.width || shots.shown.height != bmp.height) return shots;
  RECT sr, wr;
  ::GetWindowRect(sw, &sr);
  ::GetWindowRect(window, &wr);
  shots.window = POINT{wr.left - sr.left, wr.top - sr.top};
  // Beside the window's right edge, halfway down: shadow only.
  const int bx = shots.window.x + (wr.right - wr.left) + 1, by = shots.window.y + (wr.bottom - wr.top) / 2;
  const uint32_t shownBeside = shots.shown.At(bx, by);
  ::ShowWindow(sw, SW_HIDE);
  bool changed = GuiTest::PumpUntil(
      [&] {
        shots.beneath = GuiTest::CaptureWindow(sw);
        return !shots.beneath.pixels.empty() && shots.beneath.At(bx, by) != shownBeside;
      },
      3000);
  ::ShowWindow(sw, SW_SHOWNOACTIVATE);
  if (!changed) return shots;
  shots.composited = shots.beneath;
  for (int y = 0; y < bmp.height; ++y) {
    for (int x = 0; x < bmp.width; ++x) {
      uint32_t& px = shots.composited.pixels[static_cast<size_t>(y) * static_cast<size_t>(bmp.width) + static_cast<size_t>(x)];
      px = Over(bmp.At(x, y), px);
    }
  }
  shots.ok = true;
  return shots;
}

bool SaveScreenshot(const GuiTest::Screenshot& shot, const std::wstring& name) {
  std::wstring dir = GuiTest::ScreenshotDir();
  if (dir.empty() || shot.pixels.empty()) return false;
  return GuiTest::SavePng(shot, dir + L"\\" + name + L".png");
}

}  // namespace DecorTest
