// The drop shadow of a skinned window: its companion window, its place as the
// parent moves, hiding on minimise and returning on restore, deferred and
// immediate re-renders on size changes, the setters' ranges, and what the
// layered window is given to show.
#include <gtest/gtest.h>

#include "gui/support/gui_pump.h"
#include "ui/toolkit/drop_shadow.h"

namespace {

using GuiTest::PumpUntil;
using Vellum::CDropShadow;

class DropShadow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(CDropShadow::Initialize(::GetModuleHandleW(nullptr))); }
  void SetUp() override {
    ASSERT_TRUE(frame.Open());
    ASSERT_TRUE(PumpUntil([&] { return ShadowShown(); }));
  }
  HWND Parent() const { return frame.GetHWND(); }
  HWND Shadow() { return frame.GetShadow().GetShadowWindow(); }
  bool ShadowShown() { return Shadow() && ::IsWindowVisible(Shadow()); }
  RECT Rect(HWND h) const {
    RECT r = {};
    ::GetWindowRect(h, &r);
    return r;
  }
  // The skins' shadow: 5 up and left of the parent (size 6, offset 1), 12 larger.
  bool PlacedAtParent() {
    RECT p = Rect(Parent()), s = Rect(Shadow());
    return s.left == p.left - 5 && s.top == p.top - 5 && s.right - s.left == p.right - p.left + 12 &&
           s.bottom - s.top == p.bottom - p.top + 12;
  }
  GuiTest::RecordingFrame frame{L"mainWnd.xml"};
};

TEST_F(DropShadow, TheCompanionWindowIsALayeredOwnedPopupAtItsPlace) {
  HWND s = Shadow();
  wchar_t cls[64] = {};
  ::GetClassNameW(s, cls, 64);
  EXPECT_STREQ(cls, L"VellumShadowWnd");
  EXPECT_EQ(::GetWindow(s, GW_OWNER), Parent());
  LONG_PTR ex = ::GetWindowLongPtrW(s, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_TRUE(ex & WS_EX_TRANSPARENT);
  EXPECT_TRUE(::GetWindowLongPtrW(s, GWL_STYLE) & WS_POPUP);
  EXPECT_EQ(CDropShadow::FromParent(Parent()), &frame.GetShadow());
  EXPECT_EQ(frame.GetShadow().GetStatus(),
            CDropShadow::kEnabled | CDropShadow::kVisible | CDropShadow::kParentVisible);
  // The markup's settings, in range, were all taken.
  const Vellum::ShadowParams& p = frame.GetShadow().GetParams();
  EXPECT_EQ(p.size, 6);
  EXPECT_EQ(p.sharpness, 10);
  EXPECT_EQ(p.darkness, 20);
  EXPECT_EQ(p.xOffset, 1);
  EXPECT_EQ(p.yOffset, 1);
  EXPECT_EQ(p.color, 0x003B76u);
  EXPECT_TRUE(PlacedAtParent());
  // The picture follows the window's rounded region: a soft ring, clear inside.
  const Vellum::ShadowBitmap& bmp = frame.GetShadow().GetLastRender();
  ASSERT_EQ(bmp.width, 612);
  ASSERT_EQ(bmp.height, 412);
  EXPECT_EQ(bmp.AlphaAt(0, 200), 1);
  EXPECT_EQ(bmp.AlphaAt(4, 200), 9);
  EXPECT_EQ(bmp.AlphaAt(300, 200), 0);
  EXPECT_EQ(bmp.AlphaAt(611, 200), 1);
  EXPECT_EQ(bmp.AlphaAt(300, 411), 1);
  EXPECT_EQ(bmp.AlphaAt(0, 0), 0);
}

TEST_F(DropShadow, ItFollowsAMoveHidesOnMinimiseAndReturnsOnRestore) {
  RECT p = Rect(Parent());
  ::SetWindowPos(Parent(), nullptr, p.left + 37, p.top + 23, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(PumpUntil([&] { return Rect(Parent()).left == p.left + 37 && PlacedAtParent(); }));

  ::ShowWindow(Parent(), SW_MINIMIZE);
  EXPECT_TRUE(PumpUntil([&] { return !ShadowShown(); }));
  EXPECT_FALSE(frame.GetShadow().GetStatus() & CDropShadow::kVisible);

  ::ShowWindow(Parent(), SW_RESTORE);
  EXPECT_TRUE(PumpUntil([&] { return ShadowShown() && PlacedAtParent(); }));
  EXPECT_TRUE(frame.GetShadow().GetStatus() & CDropShadow::kVisible);

  ::ShowWindow(Parent(), SW_MAXIMIZE);
  EXPECT_TRUE(PumpUntil([&] { return !ShadowShown(); }));
  ::ShowWindow(Parent(), SW_RESTORE);
  EXPECT_TRUE(PumpUntil([&] { return ShadowShown() && PlacedAtParent(); }));

  // Hiding the parent hides the shadow; showing it again brings it back.
  ::ShowWindow(Parent(), SW_HIDE);
  EXPECT_FALSE(ShadowShown());
  EXPECT_EQ(frame.GetShadow().GetStatus(), CDropShadow::kEnabled);
  ::ShowWindow(Parent(), SW_SHOWNA);
  EXPECT_TRUE(PumpUntil([&] { return ShadowShown() && PlacedAtParent(); }));
}

TEST_F(DropShadow, GrowingWaitsForTheParentsPaintShrinkingRendersAtOnce) {
  RECT p = Rect(Parent());
  const int w = p.right - p.left, h = p.bottom - p.top;
  ::SetWindowPos(Parent(), nullptr, 0, 0, w + 40, h + 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(frame.GetShadow().GetLastRender().width, w + 12);  // not yet
  EXPECT_TRUE(PumpUntil([&] { return frame.GetShadow().GetLastRender().width == w + 52; }));
  EXPECT_EQ(frame.GetShadow().GetLastRender().height, h + 32);
  ::SetWindowPos(Parent(), nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(frame.GetShadow().GetLastRender().width, w + 12);  // at once
  EXPECT_EQ(frame.GetShadow().GetLastRender().height, h + 12);
  EXPECT_TRUE(PlacedAtParent());
}

TEST_F(DropShadow, SettersRefuseValuesOutOfRangeAndReRenderOtherwise) {
  CDropShadow& s = frame.GetShadow();
  struct Case {
    const char* what;
    bool (*set)(CDropShadow&);
  };
  const Case refused[] = {
      {"size 21", [](CDropShadow& d) { return d.SetSize(21); }},
      {"size -21", [](CDropShadow& d) { return d.SetSize(-21); }},
      {"sharpness -1", [](CDropShadow& d) { return d.SetSharpness(-1); }},
      {"sharpness 21", [](CDropShadow& d) { return d.SetSharpness(21); }},
      {"darkness 256", [](CDropShadow& d) { return d.SetDarkness(256); }},
      {"darkness -1", [](CDropShadow& d) { return d.SetDarkness(-1); }},
      {"position 21,0", [](CDropShadow& d) { return d.SetPosition(21, 0); }},
      {"position 0,-21", [](CDropShadow& d) { return d.SetPosition(0, -21); }},
      {"missing image", [](CDropShadow& d) { return d.SetImage(L"res\\nothing-here.png", {}, {}); }},
  };
  for (const Case& c : refused) {
    EXPECT_FALSE(c.set(s)) << c.what;
    EXPECT_EQ(s.GetParams().size, 6) << c.what;
    EXPECT_EQ(s.GetParams().sharpness, 10) << c.what;
    EXPECT_EQ(s.GetParams().darkness, 20) << c.what;
    EXPECT_EQ(s.GetParams().xOffset, 1) << c.what;
    EXPECT_EQ(s.GetParams().yOffset, 1) << c.what;
  }
  EXPECT_EQ(s.GetLastRender().width, 612);
  ASSERT_TRUE(s.SetSize(20));
  EXPECT_EQ(s.GetLastRender().width, 640);  // visible: rendered at once
  ASSERT_TRUE(s.SetPosition(-20, 20));
  RECT p = Rect(Parent()), r = Rect(Shadow());
  EXPECT_EQ(r.left, p.left - 40);
  EXPECT_EQ(r.top, p.top);
  ASSERT_TRUE(s.SetDarkness(255));
  ASSERT_TRUE(s.SetColor(0xFF123456u));
  EXPECT_EQ(s.GetParams().color, 0x123456u);
  EXPECT_EQ(s.GetLastRender().At(639, 439), 0u) << "the far corner stays clear";
  // A picture from the skin replaces the computed shadow, placed by its margins.
  ASSERT_TRUE(s.SetImage(L"res\\mainWnd\\installPrg1.png", {3, 4, 3, 4}, {3, 4, 3, 4}));
  EXPECT_EQ(s.GetLastRender().width, 606);
  EXPECT_EQ(s.GetLastRender().height, 408);
  r = Rect(Shadow());
  EXPECT_EQ(r.left, p.left - 3);
  EXPECT_EQ(r.top, p.top - 4);
  EXPECT_EQ(s.GetLastRender().At(303, 204), 0u) << "the centre is left empty";
}

TEST_F(DropShadow, DestroyingTheParentTakesItsShadowAlong) {
  HWND parent = Parent(), shadow = Shadow();
  ::DestroyWindow(parent);
  EXPECT_FALSE(::IsWindow(shadow));
  EXPECT_EQ(CDropShadow::FromParent(parent), nullptr);
}

}  // namespace
