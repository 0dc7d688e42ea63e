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

TEST(ModalLoop, TheCloseButtonClosesWithOne) {
  RecordingFrame dialog(L"NetworkTipWnd.xml");
  ASSERT_TRUE(dialog.Open());
  Vellum::CControlUI* close = dialog.GetManager().FindControl(L"closebtn");
  ASSERT_NE(close, nullptr);
  dialog.GetManager().SendNotify(close, L"click", 0, 0);
  EXPECT_EQ(dialog.ShowModal(), 1u);
}

TEST(EscapeRules, TheFrameIgnoresEscapeTheBaseClosesWithOne) {
  RecordingFrame frame(L"exitTipWnd.xml");
  ASSERT_TRUE(frame.Open());
  frame.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  frame.PostMessage(WM_KEYDOWN, VK_RETURN, 0);
  frame.Close(9);
  EXPECT_EQ(frame.ShowModal(), 9u);

  PlainWindow plain;
  ASSERT_TRUE(plain.Create(nullptr, L"plain", 0x10CF0000, 0));
  plain.PostMessage(WM_KEYDOWN, VK_RETURN, 0);
  plain.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  plain.PostMessage(WM_CLOSE, 9, 0);  // never reached: Escape closed it with 1 first
  EXPECT_EQ(plain.ShowModal(), 1u);
}

TEST(Frameless, CaptionHitTestAndRoundRegion) {
  RecordingFrame frame(L"mainWnd.xml");
  ASSERT_TRUE(frame.Open());
  HWND hwnd = frame.GetHWND();
  RECT wr, cr;
  ::GetWindowRect(hwnd, &wr);
  ::GetClientRect(hwnd, &cr);
  EXPECT_EQ(cr.right, wr.right - wr.left);  // no frame
  EXPECT_EQ(cr.bottom, wr.bottom - wr.top);
  auto hit = [&](int x, int y) {
    return frame.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(wr.left + x, wr.top + y));
  };
  EXPECT_EQ(hit(300, 10), HTCAPTION);   // title row, plain control
  EXPECT_EQ(hit(300, 100), HTCLIENT);   // below the caption zone
  auto* close = frame.GetManager().FindControl(L"closebtn");
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(hit((close->GetPos().left + close->GetPos().right) / 2, (close->GetPos().top + close->GetPos().bottom) / 2),
            HTCLIENT);                  // buttons stay clickable
  HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(::GetWindowRgn(hwnd, rgn), ERROR);
  RECT box;
  ::GetRgnBox(rgn, &box);
  EXPECT_EQ(box.right - box.left, 600);
  EXPECT_EQ(box.bottom - box.top, 400);
  EXPECT_FALSE(::PtInRegion(rgn, 0, 0));  // the corner is cut
  EXPECT_TRUE(::PtInRegion(rgn, 300, 200));
  ::DeleteObject(rgn);
}

}  // namespace
