#include "ui/toolkit/skin_frame.h"

namespace Vellum {

void CSkinFrame::InitWindow() {
  LONG_PTR style = ::GetWindowLongPtrW(GetHWND(), GWL_STYLE);
  ::SetWindowLongPtrW(GetHWND(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_MAXIMIZEBOX));
  const std::wstring* shadow = manager_.GetCustomAttribute(L"showshadow");
  if (shadow && *shadow == L"true") ShowShadow();
}

LRESULT CSkinFrame::MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (msg == WM_KEYDOWN && wParam == VK_ESCAPE) {
    handled = true;
    return 0;
  }
  return WindowImplBase::MessageHandler(msg, wParam, lParam, handled);
}

}  // namespace Vellum
