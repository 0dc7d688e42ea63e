#include "ui/toolkit/window_impl_base.h"

#include <windowsx.h>

#include "ui/toolkit/skin_resource.h"

namespace Vellum {

WindowImplBase::WindowImplBase() {
  AddNotifyHandler(L"click", [this](NotifyEvent& msg) { OnClick(msg); });
}

WindowImplBase::~WindowImplBase() { DetachMessages(); }

void WindowImplBase::Notify(NotifyEvent& msg) { LoopDispatch(msg); }

LRESULT WindowImplBase::MessageHandler(UINT msg, WPARAM wParam, LPARAM, bool& handled) {
  if (msg == WM_KEYDOWN && wParam == VK_ESCAPE) {
    Close(1);
    handled = true;
  }
  return 0;
}

std::unique_ptr<CControlUI> WindowImplBase::CreateControl(const std::wstring&) { return nullptr; }

void WindowImplBase::OnClick(NotifyEvent& msg) {
  if (!msg.sender) return;
  const std::wstring& name = msg.sender->GetName();
  if (name == L"closebtn") {
    Close(1);
  } else if (name == L"minbtn") {
    SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else if (name == L"maxbtn") {
    SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  } else if (name == L"restorebtn") {
    SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
  }
}

LRESULT WindowImplBase::HandleCustomMessage(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, bool& handled) {
  handled = true;
  HWND hwnd = GetHWND();
  LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
  style = (style & ~static_cast<LONG_PTR>(WS_CAPTION)) | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  ::SetWindowLongPtrW(hwnd, GWL_STYLE, style);
  RECT rc;
  ::GetClientRect(hwnd, &rc);
  ::SetWindowPos(hwnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  manager_.Init(hwnd);
  manager_.AddPreMessageFilter(this);
  if (manager_.GetResourcePath().empty()) {
    std::wstring path = CUIManager::GetInstancePath() + GetSkinFolder();
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    manager_.SetResourcePath(path);
  }
  if (GetResourceType() != kResourceZipInResource) return 0;
  if (!CSkinResource::OpenFromResource(GetResourceID())) return 0;
  const CSkinArchive* archive = CSkinResource::Current();
  BuiltWindow built;
  if (!CDialogBuilder::BuildFromArchive(*archive, GetSkinFile(), this, &built)) {
    ::MessageBoxW(hwnd, L"加载资源文件失败", L"Vellum", MB_OK | MB_ICONERROR);
    ::ExitProcess(1);
  }
  Size size = built.window.size;
  manager_.SetArchive(archive);
  manager_.AttachDialog(std::move(built));
  if (size.cx > 0 && size.cy > 0) {
    ::SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  manager_.AddNotifier(this);
  InitWindow();
  return 0;
}

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool& handled) {
  handled = true;
  POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ScreenToClient(GetHWND(), &pt);
  RECT client;
  ::GetClientRect(GetHWND(), &client);
  const WindowAttributes& wa = manager_.GetWindowAttributes();
  if (!::IsZoomed(GetHWND())) {
    const Rect& box = wa.sizeBox;
    bool top = pt.y < client.top + box.top, bottom = pt.y >= client.bottom - box.bottom;
    bool left = pt.x < client.left + box.left, right = pt.x >= client.right - box.right;
    if (top) return left ? HTTOPLEFT : (right ? HTTOPRIGHT : HTTOP);
    if (bottom) return left ? HTBOTTOMLEFT : (right ? HTBOTTOMRIGHT : HTBOTTOM);
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
  }
  Point p{pt.x, pt.y};
  if (wa.InCaption(p, Size{client.right, client.bottom})) {
    CControlUI* under = manager_.FindControl(p);
    if (under) {
      std::wstring cls = under->GetClass();
      if (cls != L"Button" && cls != L"Option" && cls != L"Text") return HTCAPTION;
    }
  }
  return HTCLIENT;
}

LRESULT WindowImplBase::OnSize(UINT, WPARAM, LPARAM lParam, bool& handled) {
  handled = false;  // the manager lays out again too
  Size round = manager_.GetWindowAttributes().roundCorner;
  if (::IsIconic(GetHWND()) || (round.cx == 0 && round.cy == 0)) return 0;
  int w = GET_X_LPARAM(lParam), h = GET_Y_LPARAM(lParam);
  HRGN rgn = ::CreateRoundRectRgn(0, 0, w + 1, h + 1, round.cx, round.cy);
  ::SetWindowRgn(GetHWND(), rgn, TRUE);  // the window owns the region from here on
  return 0;
}

LRESULT WindowImplBase::OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, bool& handled) {
  handled = true;
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  ::GetMonitorInfoW(::MonitorFromWindow(GetHWND(), MONITOR_DEFAULTTONEAREST), &mi);
  auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
  info->ptMaxPosition.x = mi.rcWork.left - mi.rcMonitor.left;
  info->ptMaxPosition.y = mi.rcWork.top - mi.rcMonitor.top;
  info->ptMaxSize.x = mi.rcWork.right - mi.rcWork.left;
  info->ptMaxSize.y = mi.rcWork.bottom - mi.rcWork.top;
  return 0;
}

LRESULT WindowImplBase::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  bool handled = false;
  LRESULT r = 0;
  switch (msg) {
    case WM_CREATE: r = OnCreate(msg, wParam, lParam, handled); break;
    case WM_NCCALCSIZE: handled = true; break;  // the client area is the whole window
    case WM_NCPAINT: handled = true; break;
    case WM_NCACTIVATE:
      if (!::IsIconic(GetHWND())) {
        handled = true;
        r = wParam == 0 ? TRUE : FALSE;
      }
      break;
    case WM_NCHITTEST: r = OnNcHitTest(msg, wParam, lParam, handled); break;
    case WM_SIZE: r = OnSize(msg, wParam, lParam, handled); break;
    case WM_GETMINMAXINFO: r = OnGetMinMaxInfo(msg, wParam, lParam, handled); break;
    default: break;
  }
  if (handled) return r;
  r = HandleCustomMessage(msg, wParam, lParam, handled);
  if (handled) return r;
  if (manager_.MessageHandler(msg, wParam, lParam, r)) return r;
  return CWindowWnd::HandleMessage(msg, wParam, lParam);
}

void WindowImplBase::OnFinalMessage(HWND) {
  manager_.RemovePreMessageFilter(this);
  manager_.RemoveNotifier(this);
}

}  // namespace Vellum
