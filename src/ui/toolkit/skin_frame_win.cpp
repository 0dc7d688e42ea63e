#include "ui/toolkit/skin_frame.h"

namespace Vellum {

void CSkinFrame::InitWindow() {
  LONG_PTR style = ::GetWindowLongPtrW(GetHWND(), GWL_STYLE);
  ::SetWindowLongPtrW(GetHWND(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_MAXIMIZEBOX));
  const std::wstring* shadow = manager_.GetCustomAttribute(L"showshadow");
  if (shadow && *shadow == L"true") ShowShadow();
}

void CSkinFrame::ApplyInstallerWindowStyles() {
  HWND hwnd = GetHWND();
  LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
  style = (style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_MAXIMIZEBOX)) | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  ::SetWindowLongPtrW(hwnd, GWL_STYLE, style);
  LONG_PTR exStyle = ::GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  ::SetWindowLongPtrW(hwnd, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_TOPMOST));
}

LRESULT CSkinFrame::MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (msg == WM_KEYDOWN && wParam == VK_ESCAPE) {
    handled = true;
    return 0;
  }
  return WindowImplBase::MessageHandler(msg, wParam, lParam, handled);
}

}  // namespace Vellum
