// The modal loop: owner disabled and re-enabled, the close code returned, the
// Escape rules of the window base and of the skinned frame.
#include <gtest/gtest.h>

#include "gui/support/gui_pump.h"
#include "ui/toolkit/window_impl_base.h"

using GuiTest::RecordingFrame;

namespace {

// The plain window base, without the frame's Escape rule.
class PlainWindow : public Vellum::WindowImplBase {
 protected:
  LPCWSTR GetWindowClassName() const override { return L"PlainTestWnd"; }
  std::wstring GetSkinFolder() const override { return L""; }
  std::wstring GetSkinFile() const override { return L"exitTipWnd.xml"; }
  UINT GetResourceID() const override { return 147; }
};

TEST(ModalLoop, DisablesTheOwnerAndReturnsTheCloseCode) {
  RecordingFrame owner(L"mainWnd.xml");
  ASSERT_TRUE(owner.Open());
  RecordingFrame dialog(L"exitTipWnd.xml");
  ASSERT_TRUE(dialog.Create(owner.GetHWND(), L"exitTipWnd", 0x10CF0000, 0));
  dialog.CenterWindow();
  bool ownerEnabledInside = true;
  dialog.onEvent = [&](const GuiTest::Recorded& e) {
    if (e.type != L"timer") return;
    ownerEnabledInside = ::IsWindowEnabled(owner.GetHWND()) != FALSE;
    dialog.Close(42);
  };
  ASSERT_TRUE(dialog.GetManager().SetTimer(dialog.GetManager().GetRoot(), 1, 10));
  EXPECT_EQ(dialog.ShowModal(), 42u);
  EXPECT_FALSE(ownerEnabledInside);
  EXPECT_TRUE(::IsWindowEnabled(owner.GetHWND()));
  EXPECT_FALSE(::IsWindow(dialog.GetHWND()));
  // Closing a window that is gone posts nothing and does not fail.
  dialog.Close(3);
}

// A quit request ends the loop, gives the owner back and stays visible to the
// loop outside.
TEST(ModalLoop, AQuitMessageEndsTheLoopAndIsPostedAgain) {
  RecordingFrame owner(L"mainWnd.xml");
  ASSERT_TRUE(owner.Open());
  RecordingFrame dialog(L"NetworkTipWnd.xml");
  ASSERT_TRUE(dialog.Create(owner.GetHWND(), L"NetworkTipWnd", 0x10CF0000, 0));
  dialog.onEvent = [&](const GuiTest::Recorded& e) {
    if (e.type == L"timer") ::PostQuitMessage(5);
  };
  ASSERT_TRUE(dialog.GetManager().SetTimer(dialog.GetManager().GetRoot(), 1, 10));
  dialog.ShowModal();
  EXPECT_TRUE(::IsWindow(dialog.GetHWND()));
  EXPECT_TRUE(::IsWindowEnabled(owner.GetHWND()));
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 5u);
}

TEST(ModalLoop, TheCloseButtonClosesWithOne) {
  RecordingFrame dialog(L"NetworkTipWnd.xml");
  ASSERT_TRUE(dialog.Open());
  Vellum::CControlUI* close = dialog.GetManager().FindControl(L"closebtn");
  ASSERT_NE(close, nullptr);
  dialog.GetManager().SendNotify(close, L"click", 0, 0);
  EXPECT_EQ(dialog.ShowModal(), 1u);
}

TEST(ModalLoop, TheMinimiseButtonMinimisesAndLeavesTheWindow) {
  RecordingFrame frame(L"mainWnd.xml");
  ASSERT_TRUE(frame.Open());
  Vellum::CControlUI* min = frame.GetManager().FindControl(L"minbtn");
  ASSERT_NE(min, nullptr);
  frame.GetManager().SendNotify(min, L"click", 0, 0);
  EXPECT_TRUE(GuiTest::PumpUntil([&] { return ::IsIconic(frame.GetHWND()) != FALSE; }));
  EXPECT_TRUE(::IsWindow(frame.GetHWND()));
}

// The key goes through the window's pre-filters at once; a close it causes is
// queued before the close that follows it, so the returned code tells which
// came first.
TEST(EscapeRules, TheFrameIgnoresEscapeTheBaseClosesWithOne) {
  RecordingFrame frame(L"exitTipWnd.xml");
  ASSERT_TRUE(frame.Open());
  frame.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  frame.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  frame.Close(9);
  EXPECT_EQ(frame.ShowModal(), 9u);

  PlainWindow plain;
  ASSERT_TRUE(plain.Create(nullptr, L"plain", 0x10CF0000, 0));
  plain.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  plain.Close(8);  // Return closed nothing: this close is the first
  plain.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(plain.ShowModal(), 8u);

  PlainWindow escaped;
  ASSERT_TRUE(escaped.Create(nullptr, L"plain", 0x10CF0000, 0));
  escaped.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  escaped.Close(9);
  EXPECT_EQ(escaped.ShowModal(), 1u);
}

Vellum::Size RoundCorner(const wchar_t* file) {
  return std::wstring(file) == L"mainWnd.xml" ? Vellum::Size{2, 2} : Vellum::Size{4, 4};
}

// Whether two regions cover the same pixels (their band layout may differ).
bool SameArea(HRGN a, HRGN b) {
  HRGN diff = ::CreateRectRgn(0, 0, 0, 0);
  bool same = ::CombineRgn(diff, a, b, RGN_XOR) == NULLREGION;
  ::DeleteObject(diff);
  return same;
}

class Frameless : public ::testing::TestWithParam<const wchar_t*> {};

// The region is exactly the rounded rectangle the markup asks for, at the
// window's size, and follows a size change.
TEST_P(Frameless, NoFrameAndARoundRegionThatFollowsTheSize) {
  RecordingFrame frame(GetParam());
  ASSERT_TRUE(frame.Open());
  HWND hwnd = frame.GetHWND();
  EXPECT_EQ(frame.GetManager().GetWindowAttributes().roundCorner, RoundCorner(GetParam()));
  for (int grow : {0, 40}) {
    RECT wr, cr;
    ::GetWindowRect(hwnd, &wr);
    if (grow) {
      ::SetWindowPos(hwnd, nullptr, 0, 0, wr.right - wr.left + grow, wr.bottom - wr.top + grow,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      ::GetWindowRect(hwnd, &wr);
    }
    ::GetClientRect(hwnd, &cr);
    int w = wr.right - wr.left, h = wr.bottom - wr.top;
    EXPECT_EQ(cr.right, w);  // the client area is the whole window
    EXPECT_EQ(cr.bottom, h);
    Vellum::Size round = RoundCorner(GetParam());
    HRGN expected = ::CreateRoundRectRgn(0, 0, w + 1, h + 1, round.cx, round.cy);
    HRGN actual = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(hwnd, actual), ERROR);
    EXPECT_TRUE(SameArea(expected, actual)) << "grow " << grow;
    EXPECT_TRUE(::PtInRegion(actual, w / 2, h / 2));
    EXPECT_FALSE(::PtInRegion(actual, w, h));
    ::DeleteObject(expected);
    ::DeleteObject(actual);
  }
}

INSTANTIATE_TEST_SUITE_P(Skin, Frameless, ::testing::Values(L"mainWnd.xml", L"exitTipWnd.xml"));

// Points of the caption zone drag the window unless a button, option or text is
// under them; the rest of the window is client area.
TEST(FramelessHitTest, CaptionZoneExceptOverButtons) {
  RecordingFrame frame(L"mainWnd.xml");
  ASSERT_TRUE(frame.Open());
  RECT wr;
  ::GetWindowRect(frame.GetHWND(), &wr);
  auto hit = [&](Vellum::Point p) {
    return frame.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(wr.left + p.x, wr.top + p.y));
  };
  auto centre = [&](const wchar_t* name) {
    Vellum::CControlUI* c = frame.GetManager().FindControl(name);
    EXPECT_NE(c, nullptr);
    const Vellum::Rect& r = c ? c->GetPos() : Vellum::Rect{};
    return Vellum::Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  };
  struct { Vellum::Point at; LRESULT expected; const char* what; } cases[] = {
      {{300, 10}, HTCAPTION, "title row, spacer"},
      {{300, 34}, HTCAPTION, "last caption line"},
      {{300, 35}, HTCLIENT, "first line below the caption zone"},
      {{300, 200}, HTCLIENT, "client area"},
      {centre(L"closebtn"), HTCLIENT, "close button"},
      {centre(L"minbtn"), HTCLIENT, "minimise button"},
  };
  for (const auto& c : cases) EXPECT_EQ(hit(c.at), c.expected) << c.what;
}

// Maximised, the window covers the work area and no more. (Without a window
// manager on the test display wine does not maximise a managed window itself,
// so the limit the window gives the system is what is checked.)
TEST(FramelessMaximise, LimitedToTheWorkArea) {
  RecordingFrame frame(L"exitTipWnd.xml");
  ASSERT_TRUE(frame.Open());
  MINMAXINFO info = {};
  info.ptMaxSize = {100000, 100000};
  frame.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  ::GetMonitorInfoW(::MonitorFromWindow(frame.GetHWND(), MONITOR_DEFAULTTONEAREST), &mi);
  EXPECT_EQ(info.ptMaxSize.x, mi.rcWork.right - mi.rcWork.left);
  EXPECT_EQ(info.ptMaxSize.y, mi.rcWork.bottom - mi.rcWork.top);
  EXPECT_EQ(info.ptMaxPosition.x, mi.rcWork.left - mi.rcMonitor.left);
  EXPECT_EQ(info.ptMaxPosition.y, mi.rcWork.top - mi.rcMonitor.top);
}

// Centring: on the owner when there is one, else on the work area, and never
// outside the work area.
TEST(Centring, OnTheOwnerOrTheWorkAreaAndInsideIt) {
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
  const RECT work = mi.rcWork;
  RecordingFrame owner(L"mainWnd.xml");
  ASSERT_TRUE(owner.Open());
  struct {
    const char* what;
    bool owned;
    POINT ownerAt;
    POINT expected;  // top-left of the 360x180 dialog
  } cases[] = {
      {"no owner: the work area's centre", false, {0, 0},
       {(work.left + work.right) / 2 - 180, (work.top + work.bottom) / 2 - 90}},
      {"on the owner", true, {200, 150}, {200 + 300 - 180, 150 + 200 - 90}},
      {"owner at the top-left corner: kept inside", true, {work.left - 250, work.top - 150}, {work.left, work.top}},
      {"owner past the bottom-right: kept inside", true, {work.right - 200, work.bottom - 100},
       {work.right - 360, work.bottom - 180}},
  };
  for (const auto& c : cases) {
    ::SetWindowPos(owner.GetHWND(), nullptr, c.ownerAt.x, c.ownerAt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RecordingFrame dialog(L"exitTipWnd.xml");
    ASSERT_TRUE(dialog.Create(c.owned ? owner.GetHWND() : nullptr, L"exitTipWnd", 0x10CF0000, 0));
    dialog.CenterWindow();
    RECT r;
    ::GetWindowRect(dialog.GetHWND(), &r);
    EXPECT_EQ(r.left, c.expected.x) << c.what;
    EXPECT_EQ(r.top, c.expected.y) << c.what;
  }
}

}  // namespace
