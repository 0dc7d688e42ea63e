// Building control trees from markup: attribute order, unknown names, fonts,
// custom window attributes, the custom-control hook, and the six skin files.
#include <gtest/gtest.h>

#include <string>

#include "toolkit_test_support.h"
#include "ui/toolkit/button_ui.h"
#include "ui/toolkit/check_box_ui.h"
#include "ui/toolkit/container_ui.h"
#include "ui/toolkit/control_tree.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/edit_ui.h"
#include "ui/toolkit/markup_values.h"
#include "ui/toolkit/progress_ui.h"
#include "ui/toolkit/tab_layout_ui.h"

using namespace Vellum;
using ToolkitTest::BuildSkinFile;
using ToolkitTest::RecordingCallback;

namespace {

BuiltWindow MustBuild(const std::string& body, IDialogBuilderCallback* callback = nullptr,
                      const std::string& window = "<Window size=\"10,10\">") {
  BuiltWindow built;
  std::wstring error;
  std::string doc = "<?xml version=\"1.0\"?>" + window + body + "</Window>";
  EXPECT_TRUE(CDialogBuilder::Build(doc, callback, &built, &error)) << std::string(error.begin(), error.end());
  return built;
}

CControlUI* Find(BuiltWindow& w, const wchar_t* name) { return FindControlByName(w.root.get(), name); }

TEST(MarkupValues, ReadEverySyntaxOfTheSkins) {
  EXPECT_EQ(ParseMarkupInt(L"14"), 14);
  EXPECT_EQ(ParseMarkupInt(L" -3px"), -3);
  EXPECT_EQ(ParseMarkupInt(L""), 0);
  EXPECT_EQ(ParseMarkupInt(L"99999999999"), 2147483647);
  EXPECT_TRUE(ParseMarkupBool(L"true"));
  EXPECT_FALSE(ParseMarkupBool(L"TRUE"));
  EXPECT_FALSE(ParseMarkupBool(L"1"));
  EXPECT_EQ(ParseMarkupSize(L"600,400"), (Size{600, 400}));
  EXPECT_EQ(ParseMarkupSize(L"2"), (Size{2, 0}));
  EXPECT_EQ(ParseMarkupRect(L"9,0,9,3"), (Rect{9, 0, 9, 3}));
  EXPECT_EQ(ParseMarkupRect(L"0, 2 ,16,18"), (Rect{0, 2, 16, 18}));
  EXPECT_EQ(ParseMarkupRect(L"1,2"), (Rect{1, 2, 0, 0}));
  EXPECT_EQ(ParseMarkupColor(L"#26003B76"), 0x26003B76u);
  EXPECT_EQ(ParseMarkupColor(L"0xFF227EFA"), 0xFF227EFAu);
  EXPECT_EQ(ParseMarkupColor(L"#ff1a1a1a"), 0xFF1A1A1Au);
  EXPECT_EQ(ParseMarkupColor(L"#00FFFFFF"), 0x00FFFFFFu);
  EXPECT_EQ(ParseMarkupColor(L"zz"), 0u);
}

TEST(DialogBuilder, LaterAttributesOverrideEarlierOnes) {
  BuiltWindow w = MustBuild(
      "<HorizontalLayout>"
      "<Control name=\"twice\" width=\"10\" width=\"20\" text=\"a\" text=\"b\"/>"
      "<Button name=\"posAfterHeight\" height=\"40\" pos=\"0,0,232,0\"/>"
      "<Button name=\"heightAfterPos\" pos=\"0,0,232,0\" height=\"40\"/>"
      "<Control name=\"posBoth\" pos=\"5,6,25,36\"/>"
      "<Control name=\"hidden\" visible=\"false\"/>"
      "<Control name=\"shownAgain\" visible=\"false\" visible=\"true\"/>"
      "</HorizontalLayout>");
  CControlUI* twice = Find(w, L"twice");
  ASSERT_NE(twice, nullptr);
  EXPECT_EQ(twice->GetFixedWidth(), 20);
  EXPECT_EQ(twice->GetText(), L"b");
  CControlUI* pah = Find(w, L"posAfterHeight");
  EXPECT_EQ(pah->GetFixedWidth(), 232);
  EXPECT_EQ(pah->GetFixedHeight(), 0);  // "pos" resets the height
  CControlUI* hap = Find(w, L"heightAfterPos");
  EXPECT_EQ(hap->GetFixedWidth(), 232);
  EXPECT_EQ(hap->GetFixedHeight(), 40);
  CControlUI* both = Find(w, L"posBoth");
  EXPECT_EQ(both->GetFixedWidth(), 20);
  EXPECT_EQ(both->GetFixedHeight(), 30);
  EXPECT_EQ(both->GetFixedXY(), (Point{5, 6}));
  EXPECT_FALSE(Find(w, L"hidden")->IsVisible());
  EXPECT_TRUE(Find(w, L"shownAgain")->IsVisible());
}

TEST(DialogBuilder, UnknownElementsAreSkippedWithTheirSubtreeAfterAskingTheHook) {
  RecordingCallback callback;
  BuiltWindow w = MustBuild(
      "<VerticalLayout name=\"root\">"
      "<Control name=\"before\"/>"
      "<Slider name=\"slider\"><Button name=\"inside\"/></Slider>"
      "<SequenceLabel name=\"anim\" width=\"255\" sequencecount=\"1\"/>"
      "<Control name=\"after\"/>"
      "</VerticalLayout>",
      &callback);
  EXPECT_NE(Find(w, L"before"), nullptr);
  EXPECT_EQ(Find(w, L"slider"), nullptr);
  EXPECT_EQ(Find(w, L"inside"), nullptr);
  EXPECT_NE(Find(w, L"after"), nullptr);
  ASSERT_EQ(callback.asked.size(), 2u);  // known elements never reach the hook
  EXPECT_EQ(callback.asked[0], L"Slider");
  EXPECT_EQ(callback.asked[1], L"SequenceLabel");
  auto* anim = dynamic_cast<ToolkitTest::SequenceStub*>(Find(w, L"anim"));
  ASSERT_NE(anim, nullptr);
  EXPECT_EQ(anim->GetClass(), L"SequenceLabel");
  EXPECT_EQ(anim->GetFixedWidth(), 255);  // attributes reach the custom control in order
  ASSERT_EQ(anim->seen.size(), 3u);
  EXPECT_EQ(anim->seen[2].first, L"sequencecount");
  EXPECT_EQ(w.root->AsContainer()->GetCount(), 3);

  // Without a hook the custom element is skipped like any unknown one.
  BuiltWindow plain = MustBuild("<VerticalLayout><SequenceLabel name=\"anim\"/></VerticalLayout>");
  EXPECT_EQ(Find(plain, L"anim"), nullptr);
}

TEST(DialogBuilder, MatchesElementNamesIgnoringCaseButAttributeNamesExactly) {
  BuiltWindow w = MustBuild(
      "<verticallayout name=\"root\"><BUTTON name=\"b\" Width=\"50\" width=\"7\" TEXT=\"no\"/>"
      "<checkBox name=\"c\" selected=\"true\"/><eDiT name=\"e\"/><PROGRESS name=\"p\" value=\"30\"/></verticallayout>");
  EXPECT_EQ(w.root->GetClass(), L"VerticalLayout");
  CControlUI* b = Find(w, L"b");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->GetClass(), L"Button");
  EXPECT_EQ(b->GetFixedWidth(), 7);
  EXPECT_TRUE(b->GetText().empty());
  ASSERT_NE(dynamic_cast<CCheckBoxUI*>(Find(w, L"c")), nullptr);
  EXPECT_TRUE(dynamic_cast<CCheckBoxUI*>(Find(w, L"c"))->IsSelected());
  EXPECT_EQ(Find(w, L"e")->GetClass(), L"Edit");
  EXPECT_EQ(dynamic_cast<CProgressUI*>(Find(w, L"p"))->GetValue(), 30);
}

TEST(DialogBuilder, AttributesTheToolkitDoesNotKnowChangeNothing) {
  const std::string plain = "<Button name=\"b\" width=\"88\" font=\"4\" textcolor=\"#FF010203\"/>";
  const std::string noisy =
      "<Button name=\"b\" hotfont=\"1\" width=\"88\" pushedfont=\"2\" font=\"4\" isstretchfore=\"false\" "
      "hotborercolor=\"#FFFFFFFF\" textcolor=\"#FF010203\" frobnicate=\"9\"/>";
  BuiltWindow a = MustBuild(plain);
  BuiltWindow b = MustBuild(noisy);
  auto* x = dynamic_cast<CButtonUI*>(a.root.get());
  auto* y = dynamic_cast<CButtonUI*>(b.root.get());
  ASSERT_TRUE(x && y);
  EXPECT_EQ(x->GetFixedWidth(), y->GetFixedWidth());
  EXPECT_EQ(x->GetFont(), y->GetFont());
  EXPECT_EQ(x->GetTextColor(), y->GetTextColor());
  EXPECT_EQ(x->GetHotTextColor(), y->GetHotTextColor());
  EXPECT_EQ(x->GetTextStyle(), y->GetTextStyle());
  EXPECT_EQ(y->GetFont(), 4);
}

// A container from the hook that logs when children arrive and attributes apply.
class OrderProbe : public CContainerUI {
 public:
  explicit OrderProbe(std::vector<std::wstring>* log) : log_(log) {}
  bool Add(std::unique_ptr<CControlUI> c) override {
    log_->push_back(L"child " + c->GetName());
    return CContainerUI::Add(std::move(c));
  }
  void SetAttribute(const std::wstring& n, const std::wstring& v) override {
    log_->push_back(L"attr " + n);
    CContainerUI::SetAttribute(n, v);
  }

 private:
  std::vector<std::wstring>* log_;
};

class ProbeCallback : public IDialogBuilderCallback {
 public:
  std::unique_ptr<CControlUI> CreateControl(const std::wstring& cls) override {
    if (cls == L"Probe") return std::make_unique<OrderProbe>(&log);
    return nullptr;
  }
  std::vector<std::wstring> log;
};

TEST(DialogBuilder, AppliesAttributesAfterTheChildrenAreBuilt) {
  ProbeCallback cb;
  MustBuild("<Probe name=\"p\" width=\"3\"><Control name=\"one\"/><Control name=\"two\"/></Probe>", &cb);
  std::vector<std::wstring> expected = {L"child one", L"child two", L"attr name", L"attr width"};
  EXPECT_EQ(cb.log, expected);
}

TEST(DialogBuilder, ReadsFontsAndTheirDefault) {
  BuiltWindow w = MustBuild(
      "<Font id=\"0\" name=\"A\" size=\"14\" default=\"true\"/>"
      "<FONT ID=\"5\" NAME=\"B\" SIZE=\"40\" BOLD=\"true\"/>"
      "<Font id=\"3\" name=\"C\" size=\"14\" underline=\"true\" italic=\"true\"/>"
      "<Font id=\"8\" name=\"0123456789012345678901234567890123456789\" size=\"40\" bold=\"yes\"/>"
      "<Control/>");
  ASSERT_EQ(w.fonts.Count(), 4u);
  EXPECT_EQ(w.fonts.DefaultId(), 0);
  const FontSpec* f5 = w.fonts.Find(5);
  ASSERT_NE(f5, nullptr);
  EXPECT_EQ(f5->name, L"B");
  EXPECT_EQ(f5->size, 40);
  EXPECT_TRUE(f5->bold);
  EXPECT_FALSE(f5->underline);
  const FontSpec* f3 = w.fonts.Find(3);
  EXPECT_TRUE(f3->underline && f3->italic && !f3->bold);
  const FontSpec* f8 = w.fonts.Find(8);
  EXPECT_EQ(f8->name.size(), CFontTable::kMaxFaceName);
  EXPECT_FALSE(f8->bold);  // only "true" is true
  EXPECT_EQ(w.fonts.Find(7), nullptr);
  EXPECT_EQ(w.fonts.Resolve(-1), w.fonts.Find(0));  // no font attribute: the default
  EXPECT_EQ(w.fonts.Resolve(5), f5);
}

TEST(DialogBuilder, KeepsWindowAttributesItDoesNotKnowByName) {
  BuiltWindow w = MustBuild("<Control/>", nullptr,
                            "<Window SIZE=\"600,400\" Caption=\"0,0,0,35\" roundcorner=\"2,2\" showshadow=\"true\" "
                            "shadowsize=\"6\" ShadowColor=\"#26003B76\" shadowsize=\"7\">");
  EXPECT_EQ(w.window.size, (Size{600, 400}));
  EXPECT_EQ(w.window.caption, (Rect{0, 0, 0, 35}));
  EXPECT_EQ(w.window.roundCorner, (Size{2, 2}));
  EXPECT_EQ(w.window.Custom(L"size"), nullptr);  // known attributes are not custom ones
  ASSERT_NE(w.window.Custom(L"showshadow"), nullptr);
  EXPECT_EQ(*w.window.Custom(L"showshadow"), L"true");
  EXPECT_EQ(*w.window.Custom(L"shadowcolor"), L"#26003B76");  // names ignore case
  EXPECT_EQ(*w.window.Custom(L"SHADOWSIZE"), L"7");           // the last one wins
  EXPECT_EQ(w.window.Custom(L"shadowimage"), nullptr);

  // The caption zone "0,0,0,35" is the top 35 rows, full width.
  const std::pair<Point, bool> points[] = {{{0, 0}, true},   {{599, 34}, true}, {{300, 35}, false},
                                           {{600, 10}, false}, {{-1, 10}, false}};
  for (const auto& p : points) EXPECT_EQ(w.window.InCaption(p.first, w.window.size), p.second) << p.first.x;
  WindowAttributes inset;
  inset.Apply(L"caption", L"10,5,20,30");
  EXPECT_TRUE(inset.InCaption(Point{10, 5}, Size{100, 50}));
  EXPECT_FALSE(inset.InCaption(Point{9, 5}, Size{100, 50}));
  EXPECT_FALSE(inset.InCaption(Point{80, 5}, Size{100, 50}));  // 20 from the right edge
  EXPECT_TRUE(inset.InCaption(Point{79, 29}, Size{100, 50}));
  EXPECT_FALSE(inset.InCaption(Point{50, 4}, Size{100, 50}));
}

TEST(DialogBuilder, RefusesMarkupItCannotBuild) {
  struct Case {
    const char* what;
    std::string doc;
  } cases[] = {
      {"not XML", "<Window"},
      {"root is not Window", "<Dialog><Control/></Dialog>"},
      {"no control", "<Window size=\"1,1\"><Font id=\"0\"/></Window>"},
      {"only unknown controls", "<Window><Gadget><Control/></Gadget></Window>"},
  };
  for (const Case& c : cases) {
    BuiltWindow built;
    std::wstring error;
    EXPECT_FALSE(CDialogBuilder::Build(c.doc, nullptr, &built, &error)) << c.what;
    EXPECT_EQ(built.root, nullptr) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
  BuiltWindow missing;
  EXPECT_FALSE(CDialogBuilder::BuildFromArchive(ToolkitTest::Skin(), L"NoSuchWnd.xml", nullptr, &missing));
}

// ---- the six skin files -------------------------------------------------

TEST(SkinFiles, MainWindowAttributesFontsAndNames) {
  BuiltWindow w = BuildSkinFile(L"MainWnd.xml");
  EXPECT_EQ(w.window.size, (Size{600, 400}));
  EXPECT_EQ(w.window.caption, (Rect{0, 0, 0, 35}));
  EXPECT_EQ(w.window.roundCorner, (Size{2, 2}));
  const std::pair<const wchar_t*, const wchar_t*> shadow[] = {
      {L"showshadow", L"true"}, {L"shadowsize", L"6"},         {L"shadowsharpness", L"10"},
      {L"shadowdarkness", L"20"}, {L"shadowposition", L"1,1"}, {L"shadowcolor", L"#26003B76"}};
  for (const auto& s : shadow) {
    ASSERT_NE(w.window.Custom(s.first), nullptr);
    EXPECT_EQ(*w.window.Custom(s.first), s.second);
  }
  const std::pair<int, int> sizes[] = {{0, 14}, {1, 18}, {2, 14}, {3, 12}, {4, 22}, {5, 40}, {6, 16}, {8, 40}};
  EXPECT_EQ(w.fonts.Count(), 8u);
  for (const auto& s : sizes) {
    const FontSpec* f = w.fonts.Find(s.first);
    ASSERT_NE(f, nullptr) << s.first;
    EXPECT_EQ(f->size, s.second) << s.first;
    EXPECT_EQ(f->name, L"\u5FAE\u8F6F\u96C5\u9ED1");
    EXPECT_EQ(f->bold, s.first == 5);
  }
  EXPECT_EQ(w.fonts.DefaultId(), 0);

  struct Named {
    const wchar_t* name;
    const wchar_t* cls;
    const wchar_t* text;
  } names[] = {
      {L"winCtn", L"VerticalLayout", L""},
      {L"titleTabLt", L"TabLayout", L""},
      {L"backBtn", L"Button", nullptr},
      {L"titleGrpCtn", L"HorizontalLayout", L""},
      {L"minbtn", L"Button", L""},
      {L"closebtn", L"Button", L""},
      {L"mainTabLt", L"TabLayout", L""},
      {L"defaultInstallBtn", L"Button", L"\u7ACB\u5373\u5B89\u88C5"},
      {L"tipLbl", L"Label", L""},
      {L"treatyCb", L"CheckBox", L"\u5DF2\u540C\u610F"},
      {L"treatyBtn", L"CheckBox", L"\u300A\u7528\u6237\u8BB8\u53EF\u534F\u8BAE\u300B"},
      {L"customeBtn", L"Button", L""},
      {L"installDirEdit", L"Edit", L""},
      {L"chDirBtn", L"Button", L"\u4FEE\u6539"},
      {L"createDSCb", L"CheckBox", L"\u521B\u5EFA\u684C\u9762\u5FEB\u6377\u65B9\u5F0F"},
      {L"createQSCb", L"CheckBox", L"\u6DFB\u52A0\u5230\u5FEB\u901F\u542F\u52A8\u680F"},
      {L"customeInstallBtn", L"Button", L"\u7ACB\u5373\u5B89\u88C5"},
      {L"progressAnLb", L"SequenceLabel", L""},
      {L"progressLb", L"Label", L"\u6B63\u5728\u5B89\u88C5\u4E2D:0%\uFF0C\u8BF7\u7A0D\u5019..."},
      {L"installPrg", L"Progress", L""},
      {L"openProduceBtn", L"Button", L"\u7ACB\u5373\u4F53\u9A8C"},
      {L"bTitleLbl3", L"Label", L""},
  };
  for (const Named& n : names) {
    CControlUI* c = FindControlByName(w.root.get(), n.name);
    ASSERT_NE(c, nullptr) << std::wstring(n.name).size();
    EXPECT_EQ(c->GetClass(), n.cls);
    if (n.text) {
      EXPECT_EQ(c->GetText(), n.text);
    }
  }
  for (const wchar_t* absent : {L"ableftBtn", L"abrightBtn", L"finishedLbl", L"softNameLbl", L"installLogo",
                                L"bTitleLbl1", L"bTitleLbl2"}) {
    EXPECT_EQ(FindControlByName(w.root.get(), absent), nullptr);
  }
  EXPECT_EQ(w.root->GetBkImage(), L"res\\mainWnd\\bg1.png");
  auto* install = dynamic_cast<CButtonUI*>(FindControlByName(w.root.get(), L"defaultInstallBtn"));
  EXPECT_EQ(install->GetBkColor(), 0xFF227EFAu);
  EXPECT_EQ(install->GetHotBkColor(), 0xFF4896FFu);
  EXPECT_EQ(install->GetPushedBkColor(), 0xFF066AF2u);
  EXPECT_EQ(install->GetFont(), 4);
  EXPECT_EQ(install->GetBorderRound(), (Size{1, 2}));
  auto* treaty = dynamic_cast<CCheckBoxUI*>(FindControlByName(w.root.get(), L"treatyCb"));
  EXPECT_TRUE(treaty->IsSelected());
  EXPECT_FALSE(treaty->IsVisible());
  EXPECT_TRUE(dynamic_cast<CCheckBoxUI*>(FindControlByName(w.root.get(), L"treatyBtn"))->IsSelected());
  EXPECT_FALSE(FindControlByName(w.root.get(), L"tipLbl")->IsVisible());
  auto* edit = dynamic_cast<CEditUI*>(FindControlByName(w.root.get(), L"installDirEdit"));
  EXPECT_EQ(edit->GetTextPadding(), (Rect{9, 0, 9, 3}));
  EXPECT_EQ(edit->GetBkColor(), 0x00FFFFFFu);
  auto* progressLb = dynamic_cast<CLabelUI*>(FindControlByName(w.root.get(), L"progressLb"));
  EXPECT_EQ(progressLb->GetFont(), 1);
  EXPECT_EQ(progressLb->GetTextStyle() & (kTextCenter | kTextRight), kTextCenter);
  EXPECT_TRUE(progressLb->GetUserData().empty());
  auto* bar = dynamic_cast<CProgressUI*>(FindControlByName(w.root.get(), L"installPrg"));
  EXPECT_EQ(bar->GetForeImage(), L"res\\mainWnd\\installPrg2.png");
  EXPECT_EQ(bar->GetMinValue(), 0);
  EXPECT_EQ(bar->GetMaxValue(), 100);
  auto* anim = dynamic_cast<ToolkitTest::SequenceStub*>(FindControlByName(w.root.get(), L"progressAnLb"));
  ASSERT_NE(anim, nullptr);
  std::vector<std::pair<std::wstring, std::wstring>> expected = {
      {L"name", L"progressAnLb"}, {L"width", L"255"},
      {L"sequencebkimage", L"res\\mainWnd\\installBtnAnimate\\%.3d.png"},
      {L"sequencecount", L"1"}, {L"sequencespan", L"30"}, {L"sequenceloop", L"true"},
      {L"sequenceround", L"false"}, {L"autostart", L"true"}};
  EXPECT_EQ(anim->seen, expected);
}

struct DialogCase {
  const wchar_t* file;
  Size roundCorner;
  const wchar_t* darkness;
  const wchar_t* colour;
  int font1Size;
  size_t fontCount;
  std::vector<std::pair<const wchar_t*, const wchar_t*>> named;  // name, text (nullptr: any)
};

TEST(SkinFiles, DialogsAttributesFontsAndNames) {
  const DialogCase cases[] = {
      {L"MessageBox1Wnd.xml", {2, 2}, L"20", L"#26003B76", 16, 2,
       {{L"captionLbl", L"CAPTION"}, {L"textLbl", L"TEXT"}, {L"closebtn", L""}}},
      {L"MessageBox2Wnd.xml", {2, 2}, L"20", L"#26003B76", 14, 2,
       {{L"captionLbl", L"CAPTION"}, {L"textLbl", L"TEXT"}, {L"closebtn", L""}}},
      {L"InstalledPathTipWnd.xml", {4, 4}, L"10", L"#FFEDF0F4", 16, 6,
       {{L"closebtn", L""}, {L"cancelBtn", L"\u6253\u5F00\u8F6F\u4EF6"}, {L"okBtn", L"\u5B89\u88C5\u6700\u65B0\u7248\u672C"}}},
      {L"ExitTipWnd.xml", {4, 4}, L"20", L"#26003B76", 16, 6,
       {{L"closebtn", L""}, {L"okBtn", L"\u662F"}, {L"cancelBtn", L"\u5426"}, {L"VerticalLayoutUI1", nullptr},
        {L"abcc", nullptr}}},
      {L"NetworkTipWnd.xml", {2, 2}, L"20", L"#26003B76", 14, 2,
       {{L"closebtn", L""}, {L"cancelBtn", L"\u7A0D\u540E\u518D\u8BD5"}, {L"okBtn", L"\u91CD\u65B0\u5B89\u88C5"}}},
  };
  for (const DialogCase& c : cases) {
    SCOPED_TRACE(std::string(c.file, c.file + std::wstring(c.file).size()));
    BuiltWindow w = BuildSkinFile(c.file);
    EXPECT_EQ(w.window.size, (Size{360, 180}));
    EXPECT_EQ(w.window.caption, (Rect{0, 0, 0, 30}));
    EXPECT_EQ(w.window.roundCorner, c.roundCorner);
    ASSERT_NE(w.window.Custom(L"shadowdarkness"), nullptr);
    EXPECT_EQ(*w.window.Custom(L"shadowdarkness"), c.darkness);
    EXPECT_EQ(*w.window.Custom(L"shadowcolor"), c.colour);
    EXPECT_EQ(*w.window.Custom(L"showshadow"), L"true");
    EXPECT_EQ(*w.window.Custom(L"shadowsize"), L"6");
    EXPECT_EQ(*w.window.Custom(L"shadowsharpness"), L"10");
    EXPECT_EQ(*w.window.Custom(L"shadowposition"), L"1,1");
    EXPECT_EQ(w.fonts.Count(), c.fontCount);
    ASSERT_NE(w.fonts.Find(1), nullptr);
    EXPECT_EQ(w.fonts.Find(1)->size, c.font1Size);
    if (c.fontCount == 6) {
      EXPECT_EQ(w.fonts.Find(2)->size, 14);
      EXPECT_TRUE(w.fonts.Find(3)->underline);
      EXPECT_EQ(w.fonts.Find(4)->size, 12);
      EXPECT_EQ(w.fonts.Find(5)->size, 30);
    }
    for (const auto& n : c.named) {
      CControlUI* control = FindControlByName(w.root.get(), n.first);
      ASSERT_NE(control, nullptr);
      if (n.second) {
        EXPECT_EQ(control->GetText(), n.second);
      }
    }
  }
}

}  // namespace
