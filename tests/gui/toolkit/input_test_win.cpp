// Real input through the system's input path (SendInput): clicks, hover and
// pressed faces, check boxes, keyboard activation and Escape.
#include <gtest/gtest.h>

#include "gui/support/gui_pump.h"
#include "gui/support/real_input.h"
#include "gui/support/screenshot.h"
#include "ui/toolkit/button_ui.h"
#include "ui/toolkit/check_box_ui.h"
#include "ui/toolkit/image_cache.h"
#include "ui/toolkit/tab_layout_ui.h"

using GuiTest::PumpUntil;
using GuiTest::RecordingFrame;

namespace {

POINT ScreenCenter(HWND hwnd, const Vellum::CControlUI* c) {
  POINT p = {(c->GetPos().left + c->GetPos().right) / 2, (c->GetPos().top + c->GetPos().bottom) / 2};
  ::ClientToScreen(hwnd, &p);
  return p;
}

void MouseTo(POINT p) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((p.x * 65536 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / ::GetSystemMetrics(SM_CXSCREEN));
  in.mi.dy = static_cast<LONG>((p.y * 65536 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / ::GetSystemMetrics(SM_CYSCREEN));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &in, sizeof(in));
}

void MouseButton(bool down) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  ::SendInput(1, &in, sizeof(in));
}

void Key(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, in, sizeof(INPUT));
}

uint32_t StateOf(Vellum::CControlUI* c) { return static_cast<Vellum::CButtonUI*>(c)->GetButtonState(); }

class RealInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frame.Open());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == frame.GetHWND(); }));
  }
  void Click(Vellum::CControlUI* c) {
    MouseTo(ScreenCenter(frame.GetHWND(), c));
    MouseButton(true);
    MouseButton(false);
  }
  Vellum::CControlUI* Find(const wchar_t* name) {
    Vellum::CControlUI* c = frame.GetManager().FindControl(name);
    EXPECT_NE(c, nullptr) << "no control " << ::testing::PrintToString(std::wstring(name));
    return c;
  }
  RecordingFrame frame{L"mainWnd.xml"};
};

TEST_F(RealInput, ClickRaisesOneClickAndADisabledButtonNone) {
  auto* install = Find(L"defaultInstallBtn");
  auto* custom = Find(L"customeBtn");
  ASSERT_TRUE(install && custom);
  Click(install);
  ASSERT_TRUE(PumpUntil([&] { return frame.Count(L"click", L"defaultInstallBtn") >= 1; }));

  install->SetEnabled(false);
  Click(install);
  Click(custom);  // the disabled button's click has been handled once this one arrives
  ASSERT_TRUE(PumpUntil([&] { return frame.Count(L"click", L"customeBtn") == 1; }));
  EXPECT_EQ(frame.Count(L"click", L"defaultInstallBtn"), 1);
  EXPECT_EQ(frame.Count(L"click"), 2);
}

TEST_F(RealInput, HoverAndPressedFacesArePainted) {
  auto* install = Find(L"defaultInstallBtn");
  ASSERT_NE(install, nullptr);
  const Vellum::Rect& r = install->GetPos();
  POINT probe = {r.left + 8, (r.top + r.bottom) / 2};
  MouseTo(ScreenCenter(frame.GetHWND(), install));
  ASSERT_TRUE(PumpUntil([&] { return (StateOf(install) & Vellum::kStateHot) != 0; }));
  GuiTest::Screenshot hot = GuiTest::CaptureWindow(frame.GetHWND());
  MouseButton(true);
  ASSERT_TRUE(PumpUntil([&] { return (StateOf(install) & Vellum::kStatePushed) != 0; }));
  GuiTest::PumpPending();
  GuiTest::Screenshot pushed = GuiTest::CaptureWindow(frame.GetHWND());
  MouseButton(false);
  ASSERT_TRUE(PumpUntil([&] { return frame.Count(L"click", L"defaultInstallBtn") == 1; }));
  std::wstring dir = GuiTest::ScreenshotDir();
  if (!dir.empty()) {
    GuiTest::SavePng(hot, dir + L"\\mainWnd_install_hot.png");
    GuiTest::SavePng(pushed, dir + L"\\mainWnd_install_pushed.png");
  }
  EXPECT_EQ(hot.At(probe.x, probe.y), 0x4896FFu);
  EXPECT_EQ(pushed.At(probe.x, probe.y), 0x066AF2u);
  MouseTo(POINT{0, 0});
  ASSERT_TRUE(PumpUntil([&] { return StateOf(install) == 0 || StateOf(install) == Vellum::kStateFocused; }));
}

TEST_F(RealInput, CheckBoxTogglesAndRaisesSelectChanged) {
  auto* tab = static_cast<Vellum::CTabLayoutUI*>(Find(L"mainTabLt"));
  auto* box = static_cast<Vellum::CCheckBoxUI*>(Find(L"createDSCb"));
  ASSERT_TRUE(tab && box);
  ASSERT_TRUE(tab->SelectItem(1, false));
  GuiTest::PumpPending();
  ASSERT_TRUE(box->IsSelected());
  // The face sits at dest 0,2,16,18: its middle shows the checked or unchecked picture.
  Vellum::CImageCache images(frame.GetManager().GetArchive());
  auto checked = images.Get(std::wstring(L"res\\mainWnd\\Cb2.png"));
  auto unchecked = images.Get(std::wstring(L"res\\mainWnd\\Cb1.png"));
  ASSERT_TRUE(checked && unchecked);
  ASSERT_NE(checked->At(8, 8), unchecked->At(8, 8));
  auto faceColour = [&] {
    GuiTest::PumpPending();
    const Vellum::Rect& r = box->GetPos();
    return GuiTest::CaptureWindow(frame.GetHWND()).At(r.left + 8, r.top + 10);
  };
  EXPECT_EQ(faceColour(), checked->At(8, 8) & 0xFFFFFF);
  Click(box);
  ASSERT_TRUE(PumpUntil([&] { return frame.Count(L"selectchanged", L"createDSCb") == 1; }));
  EXPECT_FALSE(box->IsSelected());
  EXPECT_EQ(frame.Count(L"click", L"createDSCb"), 1);
  MouseTo(POINT{0, 0});  // the unchecked face without the hover picture
  ASSERT_TRUE(PumpUntil([&] { return (StateOf(box) & Vellum::kStateHot) == 0; }));
  EXPECT_EQ(faceColour(), unchecked->At(8, 8) & 0xFFFFFF);
  Click(box);
  ASSERT_TRUE(PumpUntil([&] { return frame.Count(L"selectchanged", L"createDSCb") == 2; }));
  EXPECT_TRUE(box->IsSelected());
  // Selecting to the current state says nothing.
  box->Selected(true, true);
  EXPECT_EQ(frame.Count(L"selectchanged", L"createDSCb"), 2);
}

TEST_F(RealInput, EscapeDoesNothingAndReturnActivatesTheFocusedButton) {
  auto* install = Find(L"defaultInstallBtn");
  ASSERT_NE(install, nullptr);
  install->SetFocus();
  Key(VK_ESCAPE);
  Key(VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return frame.Count(L"click", L"defaultInstallBtn") == 1; }));
  Key(VK_SPACE);
  ASSERT_TRUE(PumpUntil([&] { return frame.Count(L"click", L"defaultInstallBtn") == 2; }));
  EXPECT_TRUE(::IsWindow(frame.GetHWND()));

  // Keys go to the focused control only while it can be seen: its row hidden,
  // Return presses nothing.
  install->GetParent()->SetVisible(false);
  EXPECT_TRUE(install->IsFocused());
  frame.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(frame.Count(L"click", L"defaultInstallBtn"), 2);
  install->GetParent()->SetVisible(true);
  GuiTest::PumpPending();
  // A click beside the button takes the focus away from it.
  const Vellum::Rect& b = install->GetPos();
  frame.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b.left - 20, (b.top + b.bottom) / 2));
  frame.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(b.left - 20, (b.top + b.bottom) / 2));
  EXPECT_FALSE(install->IsFocused());
  frame.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(frame.Count(L"click"), 2);
}

TEST_F(RealInput, TheEditHostsANativeWindowWhileFocused) {
  auto* tab = static_cast<Vellum::CTabLayoutUI*>(Find(L"mainTabLt"));
  auto* edit = Find(L"installDirEdit");
  ASSERT_TRUE(tab && edit);
  ASSERT_TRUE(tab->SelectItem(1, false));
  GuiTest::PumpPending();
  edit->SetText(L"C:\\Q");
  Click(edit);
  HWND native = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    native = ::GetFocus();
    return native && native != frame.GetHWND() && ::IsChild(frame.GetHWND(), native);
  }));
  Key(VK_END);
  GuiTest::TypeCharacter(L'Z');
  ASSERT_TRUE(PumpUntil([&] { return edit->GetText() == L"C:\\QZ"; })) << ::testing::PrintToString(edit->GetText());
  GuiTest::PumpPending();
  std::wstring dir = GuiTest::ScreenshotDir();
  if (!dir.empty()) {
    EXPECT_TRUE(GuiTest::SavePng(GuiTest::CaptureWindow(frame.GetHWND()), dir + L"\\mainWnd_page1_editing.png"));
  }
  Click(Find(L"createDSCb"));  // focus leaves the edit: the native window goes
  ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(native); }));
  EXPECT_EQ(edit->GetText(), L"C:\\QZ");
}

}  // namespace
