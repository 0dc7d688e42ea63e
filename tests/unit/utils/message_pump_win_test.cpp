// PumpMessagesBriefly: lets posted messages through for about 100 ms and hands a
// WM_QUIT on to the outer loop.
#include <gtest/gtest.h>

#include <windows.h>

#include "utils/system_queries.h"

namespace {

int g_seen = 0;  // messages the test window received (main thread only)

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_APP + 1) ++g_seen;
  return DefWindowProcW(hwnd, msg, w, l);
}

HWND MakeWindow() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QzPumpTest";
  RegisterClassW(&wc);
  return CreateWindowW(L"QzPumpTest", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

TEST(PumpMessagesBriefly, DispatchesForAboutATenthOfASecond) {
  HWND w = MakeWindow();
  ASSERT_NE(w, nullptr);
  g_seen = 0;
  // A timer keeps messages coming so the pump can notice the time passing.
  SetTimer(w, 1, 10, nullptr);
  for (int i = 0; i < 3; ++i) PostMessageW(w, WM_APP + 1, 0, 0);
  DWORD start = GetTickCount();
  EXPECT_TRUE(Utils::PumpMessagesBriefly(w));
  DWORD took = GetTickCount() - start;
  EXPECT_EQ(g_seen, 3);
  EXPECT_GE(took, 90u);
  KillTimer(w, 1);
  DestroyWindow(w);
  EXPECT_FALSE(Utils::PumpMessagesBriefly(w)) << "the window is gone";
}

TEST(PumpMessagesBriefly, QuitIsPostedAgain) {
  PostQuitMessage(5);
  EXPECT_FALSE(Utils::PumpMessagesBriefly(nullptr));
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 5u);
}

}  // namespace
