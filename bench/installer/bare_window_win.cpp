// The yardstick of the start-up benchmark: the least a Win32 program does to show
// a painted 600x400 window (register, create, paint white, run its loop).
#include <windows.h>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    ::FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::EndPaint(hwnd, &ps);
    return 0;
  }
  if (msg == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = L"BareWindow";
  ::RegisterClassW(&wc);
  HWND hwnd = ::CreateWindowExW(0, L"BareWindow", L"Bare", WS_POPUP | WS_VISIBLE, 340, 312, 600, 400, nullptr, nullptr,
                                instance, nullptr);
  if (!hwnd) return 1;
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  return 0;
}
