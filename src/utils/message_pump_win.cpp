#include <windows.h>
#include <mmsystem.h>

#include "utils/system_queries.h"

namespace Utils {

bool PumpMessagesBriefly(void* window) {
  HWND hwnd = static_cast<HWND>(window);
  DWORD start = timeGetTime();
  MSG msg = {};
  bool result = false;
  for (;;) {
    if (hwnd && !IsWindow(hwnd)) break;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop ends too
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    if (timeGetTime() - start > 100) {
      result = true;
      break;
    }
  }
  return result;
}

}  // namespace Utils
