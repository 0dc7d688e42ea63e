#include "ui/toolkit/window_wnd.h"

#include "ui/toolkit/ui_manager.h"

namespace Vellum {

CWindowWnd::~CWindowWnd() {
  if (hwnd_ && ::IsWindow(hwnd_)) {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
  FreeIcons();
}

void CWindowWnd::DetachMessages() {
  if (hwnd_ && ::IsWindow(hwnd_)) ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
}

bool CWindowWnd::RegisterWindowClass() {
  WNDCLASSW wc = {};
  wc.style = GetClassStyle();
  wc.lpfnWndProc = &CWindowWnd::WndProc;
  wc.hInstance = CUIManager::GetInstance();
  wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = GetWindowClassName();
  if (::RegisterClassW(&wc)) return true;
  return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CWindowWnd::Create(HWND owner, LPCWSTR title, DWORD style, DWORD exStyle, int x, int y, int cx, int cy) {
  if (!RegisterWindowClass()) return nullptr;
  hwnd_ = ::CreateWindowExW(exStyle, GetWindowClassName(), title, style, x, y, cx, cy, owner, nullptr,
                            CUIManager::GetInstance(), this);
  return hwnd_;
}

void CWindowWnd::CenterWindow() {
  if (!::IsWindow(hwnd_)) return;
  RECT rc;
  ::GetWindowRect(hwnd_, &rc);
  HWND owner = ::GetWindow(hwnd_, GW_OWNER);
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  ::GetMonitorInfoW(::MonitorFromWindow(owner ? owner : hwnd_, MONITOR_DEFAULTTONEAREST), &mi);
  RECT area = mi.rcWork;
  RECT center = area;
  if (owner) ::GetWindowRect(owner, &center);
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  int left = (center.left + center.right) / 2 - w / 2;
  int top = (center.top + center.bottom) / 2 - h / 2;
  if (left + w > area.right) left = area.right - w;
  if (top + h > area.bottom) top = area.bottom - h;
  if (left < area.left) left = area.left;
  if (top < area.top) top = area.top;
  ::SetWindowPos(hwnd_, nullptr, left, top, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus) {
  if (!::IsWindow(hwnd_)) return;
  ::ShowWindow(hwnd_, show ? (takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

UINT CWindowWnd::ShowModal() {
  if (!::IsWindow(hwnd_)) return lastCloseCode_;
  HWND owner = ::GetWindow(hwnd_, GW_OWNER);
  ::ShowWindow(hwnd_, SW_SHOWNORMAL);
  if (owner) ::EnableWindow(owner, FALSE);
  MSG msg;
  bool quit = false;
  WPARAM quitCode = 0;
  while (::IsWindow(hwnd_)) {
    if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      quit = true;
      quitCode = msg.wParam;
      break;
    }
    if (!CUIManager::TranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  if (owner) {
    ::EnableWindow(owner, TRUE);
    ::SetFocus(owner);
  }
  // An outer loop must see the quit request as well.
  if (quit) ::PostQuitMessage(static_cast<int>(quitCode));
  return lastCloseCode_;
}

void CWindowWnd::Close(UINT code) {
  if (::IsWindow(hwnd_)) ::PostMessageW(hwnd_, WM_CLOSE, code, 0);
}

void CWindowWnd::SetIcon(UINT res) {
  HINSTANCE inst = CUIManager::GetInstance();
  auto load = [&](int metricX, int metricY) {
    return static_cast<HICON>(::LoadImageW(inst, MAKEINTRESOURCEW(res), IMAGE_ICON, ::GetSystemMetrics(metricX),
                                           ::GetSystemMetrics(metricY), LR_DEFAULTCOLOR));
  };
  HICON big = load(SM_CXICON, SM_CYICON);
  HICON small = load(SM_CXSMICON, SM_CYSMICON);
  // An icon the window no longer shows can go; one that failed to load leaves
  // the old one in place.
  if (big) {
    ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (bigIcon_) ::DestroyIcon(bigIcon_);
    bigIcon_ = big;
  }
  if (small) {
    ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    if (smallIcon_) ::DestroyIcon(smallIcon_);
    smallIcon_ = small;
  }
}

void CWindowWnd::FreeIcons() {
  if (bigIcon_) ::DestroyIcon(bigIcon_);
  if (smallIcon_) ::DestroyIcon(smallIcon_);
  bigIcon_ = smallIcon_ = nullptr;
}

LRESULT CWindowWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageW(hwnd_, msg, wParam, lParam);
}

LRESULT CWindowWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageW(hwnd_, msg, wParam, lParam);
}

LRESULT CWindowWnd::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK CWindowWnd::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CWindowWnd* self = nullptr;
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    self = static_cast<CWindowWnd*>(cs->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<CWindowWnd*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  if (msg == WM_CLOSE) self->lastCloseCode_ = static_cast<UINT>(wParam);
  if (msg == WM_NCDESTROY) {
    LRESULT r = self->HandleMessage(msg, wParam, lParam);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->OnFinalMessage(hwnd);
    return r;
  }
  return self->HandleMessage(msg, wParam, lParam);
}

}  // namespace Vellum
