// Layout of the six skin files. Every expected rectangle below is worked out by
// hand from the sizes the skins are specified with (not taken from a run of the
// engine); the comments show the arithmetic.
#include <gtest/gtest.h>

#include <string>

#include "toolkit_test_support.h"
#include "ui/toolkit/container_ui.h"
#include "ui/toolkit/control_tree.h"
#include "ui/toolkit/horizontal_layout_ui.h"
#include "ui/toolkit/label_ui.h"
#include "ui/toolkit/layout_engine.h"
#include "ui/toolkit/tab_layout_ui.h"
#include "ui/toolkit/vertical_layout_ui.h"

using namespace Vellum;
using ToolkitTest::BuildSkinFile;

namespace {

struct Expected {
  const wchar_t* name;
  Rect rect;
};

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

void ExpectRects(CControlUI* root, const std::vector<Expected>& table) {
  for (const Expected& e : table) {
    CControlUI* c = FindControlByName(root, e.name);
    ASSERT_NE(c, nullptr) << Narrow(e.name);
    EXPECT_TRUE(c->IsVisible()) << Narrow(e.name);
    const Rect& r = c->GetPos();
    EXPECT_EQ(r, e.rect) << Narrow(e.name) << ": got " << r.left << "," << r.top << "," << r.right << ","
                         << r.bottom;
  }
}

// The first visible control whose text is text (for the unnamed labels).
CControlUI* FindVisibleByText(CControlUI* c, const std::wstring& text) {
  if (!c->IsVisible()) return nullptr;
  if (c->GetText() == text && !c->AsContainer()) return c;
  if (CContainerUI* k = c->AsContainer()) {
    for (int i = 0; i < k->GetCount(); ++i) {
      if (CControlUI* f = FindVisibleByText(k->GetItemAt(i), text)) return f;
    }
  }
  return nullptr;
}

void ShowPage(BuiltWindow& w, int mainPage, int titlePage) {
  auto* main = dynamic_cast<CTabLayoutUI*>(FindControlByName(w.root.get(), L"mainTabLt"));
  auto* title = dynamic_cast<CTabLayoutUI*>(FindControlByName(w.root.get(), L"titleTabLt"));
  ASSERT_TRUE(main && title);
  ASSERT_TRUE(main->SelectItem(mainPage, false));
  ASSERT_TRUE(title->SelectItem(titlePage, false));
  CLayoutEngine::Arrange(*w.root, Rect{0, 0, w.window.size.cx, w.window.size.cy});
}

// Title row (y 0..45, 600 wide): 10 | titleTabLt 200 | flex | 10 | column 72 | 2.
//   flex = 600 - 294 = 306; column x = 10+200+306+10 = 526..598.
//   column: 17 spacer, then titleGrpCtn 24 high (y 17..41): minbtn 24, 12, closebtn 24.
// Client row (y 45..400): 1 | mainTabLt 598 | 1  ->  mainTabLt 1,45,599,400 (355 high).
// Centred 232-wide buttons in 598: (598-232)/2 = 183 -> x 184..416.
const std::vector<Expected> kMainFrame = {
    {L"winCtn", {0, 0, 600, 400}},       {L"titleTabLt", {10, 0, 210, 45}},
    {L"titleGrpCtn", {526, 17, 598, 41}}, {L"minbtn", {526, 17, 550, 41}},
    {L"closebtn", {562, 17, 586, 41}},    {L"mainTabLt", {1, 45, 599, 400}},
};

struct PageCase {
  int page;
  int titlePage;
  std::vector<Expected> rects;
  std::vector<const wchar_t*> hidden;
};

TEST(SkinLayout, MainWindowEveryNamedControlOnEveryPage) {
  const PageCase pages[] = {
      // Page 0 (355 high): 1,54,69,66,50,flex,32,4,18,20,1 -> fixed 315, flex 40.
      //   y: logo row 100..169, button row 235..285, flex 285..325, row32 325..357, row18 361..379.
      //   row18 visible: 20 | flex 470 | customeBtn 88 | 20 -> x 1+20+470 = 491.
      {0, 0, {{L"defaultInstallBtn", {184, 235, 416, 285}}, {L"customeBtn", {491, 361, 579, 379}}},
       {L"tipLbl", L"treatyCb", L"treatyBtn", L"backBtn"}},
      // Page 1: 1,15,69,40,40,28,18,45,50,flex,1 -> fixed 307, flex 48.
      //   y: logo 61..130, path row 170..210, options row 238..256, button row 301..351.
      //   path row: 52 | 70 | 6 | edit 340 | 10 | chDirBtn 80 | flex -> edit x 1+128 = 129.
      //   options row: 52 | 66 | 6 | createDSCb 138 | 20 | createQSCb 138 | flex -> 125, 283.
      //   title page 1: 17 spacer above backBtn 46x18 at the tab's left edge (x 10).
      {1, 1,
       {{L"backBtn", {10, 17, 56, 35}}, {L"installDirEdit", {129, 170, 469, 210}},
        {L"chDirBtn", {479, 170, 559, 210}}, {L"createDSCb", {125, 238, 263, 256}},
        {L"createQSCb", {283, 238, 421, 256}}, {L"customeInstallBtn", {184, 301, 416, 351}}},
       {}},
      // Page 2: 8,253,1,24,20,8,flex -> fixed 314, flex 41.
      //   y: anim row 53..306, separator 306..307, label row 307..331, bar row 351..359.
      //   anim: (598-255) = 343 -> 171 | 255 | 172 -> x 172..427.
      //   label: (598-360)/2 = 119 -> x 120..480.  bar: (598-410)/2 = 94 -> x 95..505.
      {2, 0,
       {{L"progressAnLb", {172, 53, 427, 306}}, {L"progressLb", {120, 307, 480, 331}},
        {L"installPrg", {95, 351, 505, 359}}},
       {}},
      // Page 3: 75,50,76,50,58,35,flex -> fixed 344, flex 11.
      //   y: icon row 120..170, button row 246..296, logo row 354..389.
      //   logo row: flex | 30 | 10 | bTitleLbl3 56 | flex -> (598-96)/2 = 251 -> x 1+251+40 = 292.
      {3, 2, {{L"openProduceBtn", {184, 246, 416, 296}}, {L"bTitleLbl3", {292, 354, 348, 389}}}, {}},
  };
  BuiltWindow w = BuildSkinFile(L"MainWnd.xml");
  for (const PageCase& p : pages) {
    SCOPED_TRACE("page " + std::to_string(p.page));
    ShowPage(w, p.page, p.titlePage);
    ExpectRects(w.root.get(), kMainFrame);
    ExpectRects(w.root.get(), p.rects);
    for (const wchar_t* name : p.hidden) {
      CControlUI* c = FindControlByName(w.root.get(), name);
      ASSERT_NE(c, nullptr);
      bool shown = c->IsVisible() && c->GetParent()->IsVisible() && c->GetParent()->GetParent()->IsVisible();
      EXPECT_FALSE(shown) << Narrow(name);
    }
  }
}

TEST(SkinLayout, MainWindowUnnamedLabelsHonourPaddingAndFixedCrossSizes) {
  BuiltWindow w = BuildSkinFile(L"MainWnd.xml");
  ShowPage(w, 0, 0);
  // Logo row y 100..169: flex 178 | logo 61 | 20 | name 160x40 with top padding 13 | flex 179.
  CControlUI* name = FindVisibleByText(w.root.get(), L"QuibZip");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->GetPos(), (Rect{260, 113, 420, 153}));
  ShowPage(w, 1, 1);
  // Path label: 52 right of the page's left edge (x 1), 70 wide, filling the 40-high row.
  CControlUI* pathLabel = FindVisibleByText(w.root.get(), L"\u5B89\u88C5\u8DEF\u5F84\uFF1A");
  ASSERT_NE(pathLabel, nullptr);
  EXPECT_EQ(pathLabel->GetPos(), (Rect{53, 170, 123, 210}));
  ShowPage(w, 3, 2);
  // Icon row y 120..170: flex 191 | icon 40x40, top padding 5 | 15 | text 160x50 | flex 192.
  CControlUI* done = FindVisibleByText(w.root.get(), L"\u5B89\u88C5\u5B8C\u6210");
  ASSERT_NE(done, nullptr);
  EXPECT_EQ(done->GetPos(), (Rect{247, 120, 407, 170}));
  CContainerUI* row = done->GetParent();
  EXPECT_EQ(row->GetItemAt(1)->GetPos(), (Rect{192, 125, 232, 165}));
}

TEST(SkinLayout, ProductNameLabelSizedToItsMeasuredText) {
  BuiltWindow w = BuildSkinFile(L"MainWnd.xml");
  auto* label = dynamic_cast<CLabelUI*>(FindControlByName(w.root.get(), L"bTitleLbl3"));
  ASSERT_NE(label, nullptr);
  label->SetText(L"QuibZip");
  FitLabelWidthToText(*label, ToolkitTest::FixedTextMeasurer());
  // 7 characters x 7 px = 49; row: flex | 30 | 10 | 49 | flex -> 509 = 254 + 255.
  EXPECT_EQ(label->GetFixedWidth(), 49);
  ShowPage(w, 3, 2);
  EXPECT_EQ(label->GetPos(), (Rect{295, 354, 344, 389}));
}

struct DialogLayout {
  const wchar_t* file;
  std::vector<Expected> rects;
  std::vector<std::pair<const wchar_t*, Rect>> texts;  // unnamed labels by text
};

TEST(SkinLayout, EveryDialogsNamedControls) {
  // Title row y 0..30. Message boxes: caption 240 wide after 10 padding; flex;
  //   close column 24 (flex 3 | 24 | flex 3) at 360-8-24 = 328.
  // Tip dialogs: 10 | caption 80 | flex | close column 24 | 12 -> close x 324.
  //   30 spacer (30..60), row 40 (60..100): 34 | icon 40 | 20 | text flex 234 | 32.
  const std::vector<Expected> boxes = {
      {L"captionLbl", {10, 0, 250, 30}}, {L"closebtn", {328, 3, 352, 27}}, {L"textLbl", {1, 30, 359, 180}}};
  const Rect tipText{94, 60, 328, 100};
  const std::wstring tipTitle = L"\u53CB\u60C5\u63D0\u793A";
  const DialogLayout dialogs[] = {
      {L"MessageBox1Wnd.xml", boxes, {}},
      {L"MessageBox2Wnd.xml", boxes, {}},
      // Button row 32 high at 130..162: flex 59 | 138 | 10 | 138 | 15.
      {L"InstalledPathTipWnd.xml",
       {{L"closebtn", {324, 3, 348, 27}}, {L"cancelBtn", {59, 130, 197, 160}}, {L"okBtn", {207, 130, 345, 160}}},
       {{L"\u68C0\u6D4B\u5230\u8BA1\u7B97\u673A\u4E2D\u5DF2\u5B58\u5728\u6B64\u8F6F\u4EF6\uFF0C\u662F\u5426\u4E3A"
         L"\u60A8\u66F4\u65B0\u4E3A\u6700\u65B0\u7248\u672C\uFF1F",
         tipText}}},
      // Button row 30 high at 130..160: flex 130 | 100 | 10 | 100 | 20.
      {L"exitTipWnd.xml",
       {{L"VerticalLayoutUI1", {0, 0, 360, 180}}, {L"abcc", {0, 60, 360, 100}}, {L"closebtn", {324, 3, 348, 27}},
        {L"okBtn", {130, 130, 230, 160}}, {L"cancelBtn", {240, 130, 340, 160}}},
       {{L"\u60A8\u786E\u5B9A\u8981\u9000\u51FA\u5B89\u88C5\u5417\uFF1F", tipText}}},
      // 30,30,40,flex,30,flex,20 -> fixed 150, flexes 15 + 15: button row 115..145.
      {L"NetworkTipWnd.xml",
       {{L"closebtn", {324, 3, 348, 27}}, {L"cancelBtn", {130, 115, 230, 145}}, {L"okBtn", {240, 115, 340, 145}}},
       {{L"\u60A8\u7684\u7F51\u7EDC\u53EF\u80FD\u6709\u5EF6\u65F6\uFF0C\u662F\u5426\u7EE7\u7EED\u5B89\u88C5\uFF1F",
         tipText}}},
  };
  for (const DialogLayout& d : dialogs) {
    SCOPED_TRACE(Narrow(d.file));
    BuiltWindow w = BuildSkinFile(d.file);
    CLayoutEngine::Arrange(*w.root, Rect{0, 0, w.window.size.cx, w.window.size.cy});
    EXPECT_EQ(w.root->GetPos(), (Rect{0, 0, 360, 180}));
    ExpectRects(w.root.get(), d.rects);
    for (const auto& t : d.texts) {
      CControlUI* c = FindVisibleByText(w.root.get(), t.first);
      ASSERT_NE(c, nullptr);
      EXPECT_EQ(c->GetPos(), t.second);
    }
    if (!d.texts.empty()) {
      CControlUI* title = FindVisibleByText(w.root.get(), tipTitle);
      ASSERT_NE(title, nullptr);
      EXPECT_EQ(title->GetPos(), (Rect{10, 0, 90, 30}));
    }
  }
}

// The engine's rules on a small tree, each case one rule.
TEST(LayoutEngine, SharesRemainingSpaceAndPlacesAcrossTheDirection) {
  CHorizontalLayoutUI row;
  auto add = [&row](int w, int h, Rect pad, bool visible = true) {
    auto c = std::make_unique<CControlUI>();
    c->SetFixedWidth(w);
    c->SetFixedHeight(h);
    c->SetAttribute(L"padding", std::to_wstring(pad.left) + L"," + std::to_wstring(pad.top) + L"," +
                                    std::to_wstring(pad.right) + L"," + std::to_wstring(pad.bottom));
    c->SetVisible(visible);
    CControlUI* raw = c.get();
    row.Add(std::move(c));
    return raw;
  };
  CControlUI* flexA = add(0, 0, {});
  CControlUI* fixed = add(30, 10, {2, 3, 4, 0});
  CControlUI* hidden = add(500, 0, {});
  CControlUI* flexB = add(0, 0, {1, 1, 1, 1});
  hidden->SetVisible(false);
  CLayoutEngine::Arrange(row, Rect{100, 50, 200, 70});
  // 100 wide: fixed 30 + paddings 2+4+1+1 = 38 -> 62 for two flexible children: 31 and 31.
  EXPECT_EQ(flexA->GetPos(), (Rect{100, 50, 131, 70}));
  EXPECT_EQ(fixed->GetPos(), (Rect{133, 53, 163, 63}));  // fixed height at the top, after padding
  EXPECT_EQ(flexB->GetPos(), (Rect{168, 51, 199, 69}));  // fills the height minus its padding
  EXPECT_EQ(hidden->GetPos(), Rect{});                   // hidden: not placed

  // An odd remainder goes to the last flexible child; overfull rows give flexible children 0.
  CVerticalLayoutUI column;
  CControlUI* a = nullptr;
  CControlUI* b = nullptr;
  for (CControlUI** slot : {&a, &b}) {
    auto c = std::make_unique<CControlUI>();
    *slot = c.get();
    column.Add(std::move(c));
  }
  CLayoutEngine::Arrange(column, Rect{0, 0, 10, 7});
  EXPECT_EQ(a->GetPos(), (Rect{0, 0, 10, 3}));
  EXPECT_EQ(b->GetPos(), (Rect{0, 3, 10, 7}));
  a->SetFixedHeight(20);
  CLayoutEngine::Arrange(column, Rect{0, 0, 10, 7});
  EXPECT_EQ(a->GetPos(), (Rect{0, 0, 10, 20}));
  EXPECT_EQ(b->GetPos(), (Rect{0, 20, 10, 20}));
}

}  // namespace
