// Control data operations as the window classes use them, observed through a
// host that records repaints, relayouts, focus and notifications.
#include <gtest/gtest.h>

#include <memory>

#include "toolkit_test_support.h"
#include "ui/toolkit/check_box_ui.h"
#include "ui/toolkit/horizontal_layout_ui.h"
#include "ui/toolkit/option_ui.h"
#include "ui/toolkit/progress_ui.h"
#include "ui/toolkit/tab_layout_ui.h"

using namespace Vellum;
using ToolkitTest::RecordingHost;

namespace {

std::unique_ptr<CTabLayoutUI> ThreePages(CControlUI** pages) {
  auto tab = std::make_unique<CTabLayoutUI>();
  for (int i = 0; i < 3; ++i) {
    auto page = std::make_unique<CControlUI>();
    pages[i] = page.get();
    tab->Add(std::move(page));
  }
  return tab;
}

TEST(TabLayout, FirstPageIsCurrentAndSelectingFollowsItsRules) {
  CTabLayoutUI empty;
  EXPECT_EQ(empty.GetCurSel(), -1);
  EXPECT_FALSE(empty.SelectItem(0, true));

  CControlUI* pages[3];
  auto tab = ThreePages(pages);
  RecordingHost host;
  tab->SetHost(&host);
  EXPECT_EQ(tab->GetCurSel(), 0);
  EXPECT_TRUE(pages[0]->IsVisible());
  EXPECT_FALSE(pages[1]->IsVisible());
  EXPECT_FALSE(pages[2]->IsVisible());

  EXPECT_FALSE(tab->SelectItem(-1, true));
  EXPECT_FALSE(tab->SelectItem(3, true));
  EXPECT_TRUE(tab->SelectItem(0, true));  // the current page: nothing happens
  EXPECT_TRUE(host.notes.empty());
  EXPECT_TRUE(host.relayouts.empty());
  EXPECT_EQ(host.focus, nullptr);

  ASSERT_TRUE(tab->SelectItem(2, true));
  EXPECT_EQ(tab->GetCurSel(), 2);
  EXPECT_FALSE(pages[0]->IsVisible());
  EXPECT_FALSE(pages[1]->IsVisible());
  EXPECT_TRUE(pages[2]->IsVisible());
  EXPECT_EQ(host.focus, pages[2]);
  EXPECT_FALSE(host.relayouts.empty());
  ASSERT_EQ(host.notes.size(), 1u);
  EXPECT_EQ(host.notes[0].type, L"tabselect");
  EXPECT_EQ(host.notes[0].sender, tab.get());
  EXPECT_EQ(host.notes[0].wParam, 2u);
  EXPECT_EQ(host.notes[0].lParam, 0u);

  ASSERT_TRUE(tab->SelectItem(1, false));  // no event asked for
  EXPECT_EQ(host.notes.size(), 1u);
  EXPECT_EQ(tab->GetCurSel(), 1);
  EXPECT_TRUE(pages[1]->IsVisible());
  EXPECT_FALSE(pages[2]->IsVisible());
}

TEST(Option, SelectingRaisesSelectChangedOnlyOnAChange) {
  RecordingHost host;
  CCheckBoxUI box;
  box.SetHost(&host);
  box.Selected(false, true);
  EXPECT_TRUE(host.notes.empty());
  EXPECT_TRUE(host.invalidated.empty());
  box.Selected(true, true);
  EXPECT_TRUE(box.IsSelected());
  ASSERT_EQ(host.notes.size(), 1u);
  EXPECT_EQ(host.notes[0].type, L"selectchanged");
  EXPECT_EQ(host.notes[0].sender, &box);
  EXPECT_EQ(host.invalidated.size(), 1u);
  box.Selected(true, true);
  EXPECT_EQ(host.notes.size(), 1u);
  box.Selected(false, false);
  EXPECT_FALSE(box.IsSelected());
  EXPECT_EQ(host.notes.size(), 1u);
  EXPECT_EQ(host.invalidated.size(), 2u);
}

TEST(Option, SelectingOneMemberUnselectsTheOthersOfItsGroupOnly) {
  CHorizontalLayoutUI row;
  COptionUI* options[4];
  for (int i = 0; i < 4; ++i) {
    auto o = std::make_unique<COptionUI>();
    o->SetAttribute(L"group", i < 3 ? L"g" : L"other");
    options[i] = o.get();
    row.Add(std::move(o));
  }
  options[0]->SetAttribute(L"selected", L"true");
  options[3]->SetAttribute(L"selected", L"true");
  RecordingHost host;
  row.SetHost(&host);
  options[1]->Selected(true, true);
  EXPECT_FALSE(options[0]->IsSelected());
  EXPECT_TRUE(options[1]->IsSelected());
  EXPECT_FALSE(options[2]->IsSelected());
  EXPECT_TRUE(options[3]->IsSelected());  // another group
  ASSERT_EQ(host.notes.size(), 2u);
  EXPECT_EQ(host.notes[0].sender, options[0]);
  EXPECT_EQ(host.notes[1].sender, options[1]);
}

TEST(Progress, ValueIsClampedToTheRangeAndFillsProportionally) {
  RecordingHost host;
  CProgressUI bar;
  bar.SetHost(&host);
  const std::pair<int, int> values[] = {{50, 50}, {150, 100}, {-5, 0}, {100, 100}, {0, 0}, {70, 70}};
  for (const auto& v : values) {
    bar.SetValue(v.first);
    EXPECT_EQ(bar.GetValue(), v.second) << v.first;
  }
  EXPECT_EQ(bar.FillWidth(410), 287);  // 410 * 70 / 100
  size_t repaints = host.invalidated.size();
  bar.SetValue(70);
  EXPECT_EQ(host.invalidated.size(), repaints);

  CProgressUI ranged;
  ranged.SetAttribute(L"min", L"10");
  ranged.SetAttribute(L"max", L"20");
  ranged.SetValue(15);
  EXPECT_EQ(ranged.FillWidth(100), 50);
  ranged.SetAttribute(L"max", L"10");  // an empty range fills nothing instead of dividing by zero
  EXPECT_EQ(ranged.FillWidth(100), 0);
}

TEST(Control, SettersRepaintOrRelayoutOnlyOnChangeAndRefuseNegativeWidths) {
  RecordingHost host;
  CHorizontalLayoutUI parent;
  auto child = std::make_unique<CLabelUI>();
  CLabelUI* label = child.get();
  parent.Add(std::move(child));
  parent.SetHost(&host);
  EXPECT_EQ(label->GetHost(), &host);

  label->SetText(L"a");
  label->SetText(L"a");
  EXPECT_EQ(host.invalidated.size(), 1u);
  label->SetBkImage(L"res\\x.png");
  label->SetBkImage(L"res\\x.png");
  EXPECT_EQ(host.invalidated.size(), 2u);

  label->SetFixedWidth(40);
  EXPECT_EQ(label->GetFixedWidth(), 40);
  EXPECT_EQ(host.relayouts.size(), 1u);
  label->SetFixedWidth(-1);
  EXPECT_EQ(label->GetFixedWidth(), 40);
  EXPECT_EQ(host.relayouts.size(), 1u);

  label->SetFocus();
  EXPECT_TRUE(label->IsFocused());
  label->SetVisible(false);
  EXPECT_EQ(host.focus, nullptr);  // hiding the focused control clears the focus
  EXPECT_EQ(host.relayouts.size(), 2u);
  label->SetEnabled(false);
  EXPECT_FALSE(label->IsEnabled());
  label->SetAttribute(L"userdata", L"free text");
  EXPECT_EQ(label->GetUserData(), L"free text");
}

}  // namespace
