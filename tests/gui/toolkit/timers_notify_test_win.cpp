// Control timers on a live window, tab selection events and notifications
// raised asynchronously from a worker thread.
#include <gtest/gtest.h>

#include <thread>

#include "gui/support/gui_pump.h"
#include "ui/toolkit/tab_layout_ui.h"

using GuiTest::PumpUntil;
using GuiTest::RecordingFrame;

namespace {

class LiveWindow : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(frame.Open()); }
  RecordingFrame frame{L"mainWnd.xml"};
};

TEST_F(LiveWindow, StartingARunningTimerAgainLeavesOne) {
  auto& m = frame.GetManager();
  auto* bar = m.FindControl(L"installPrg");
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(m.SetTimer(bar, 7, 10));
  ASSERT_TRUE(m.SetTimer(bar, 7, 5000));  // keeps the first period
  EXPECT_EQ(m.GetTimers().Count(), 1u);
  ASSERT_TRUE(PumpUntil([&] { return frame.Count(L"timer", L"installPrg") >= 3; }));
  for (const auto& e : frame.events) {
    if (e.type == L"timer") {
      EXPECT_EQ(e.wParam, 7u);
    }
  }
}

TEST_F(LiveWindow, AStoppedTimerRearmedKeepsItsNumber) {
  auto& m = frame.GetManager();
  auto* bar = m.FindControl(L"installPrg");
  auto* lbl = m.FindControl(L"progressLb");
  ASSERT_TRUE(bar && lbl);
  ASSERT_TRUE(m.SetTimer(bar, 1, 10));
  ASSERT_TRUE(m.SetTimer(lbl, 1, 10));
  uint32_t native = m.GetTimers().Find(bar, 1)->nativeId;
  EXPECT_NE(native, m.GetTimers().Find(lbl, 1)->nativeId);
  ASSERT_TRUE(PumpUntil([&] { return frame.Count(L"timer", L"installPrg") >= 1; }));
  EXPECT_TRUE(m.KillTimer(bar, 1));
  EXPECT_FALSE(m.KillTimer(bar, 1));   // already stopped
  EXPECT_FALSE(m.KillTimer(bar, 99));  // never started
  EXPECT_TRUE(m.GetTimers().Find(bar, 1)->killed);
  int before = frame.Count(L"timer", L"installPrg");
  // The other control's timer keeps running while this one is stopped.
  int lblBefore = frame.Count(L"timer", L"progressLb");
  ASSERT_TRUE(PumpUntil([&] { return frame.Count(L"timer", L"progressLb") >= lblBefore + 3; }));
  EXPECT_EQ(frame.Count(L"timer", L"installPrg"), before);
  ASSERT_TRUE(m.SetTimer(bar, 1, 10));
  EXPECT_EQ(m.GetTimers().Find(bar, 1)->nativeId, native);
  EXPECT_EQ(m.GetTimers().Count(), 2u);
  ASSERT_TRUE(PumpUntil([&] { return frame.Count(L"timer", L"installPrg") > before; }));
}

TEST_F(LiveWindow, SelectingThePageThatIsCurrentRaisesNoTabSelect) {
  auto* tab = dynamic_cast<Vellum::CTabLayoutUI*>(frame.GetManager().FindControl(L"mainTabLt"));
  ASSERT_NE(tab, nullptr);
  EXPECT_TRUE(tab->SelectItem(0, true));
  EXPECT_EQ(frame.Count(L"tabselect"), 0);
  EXPECT_TRUE(tab->SelectItem(3, true));
  ASSERT_EQ(frame.Count(L"tabselect", L"mainTabLt"), 1);
  EXPECT_EQ(frame.events.back().wParam, 3u);
  EXPECT_EQ(frame.events.back().lParam, 0u);
  EXPECT_FALSE(tab->SelectItem(4, true));
  EXPECT_FALSE(tab->SelectItem(-1, true));
  EXPECT_EQ(tab->GetCurSel(), 3);
}

// A worker raises "checknet" many times; the window thread delivers them.
struct AsyncCase {
  bool repeat;
  int expected;
};

class AsyncNotify : public LiveWindow, public ::testing::WithParamInterface<AsyncCase> {};

TEST_P(AsyncNotify, WorkerEventsArriveOnTheWindowThread) {
  auto& m = frame.GetManager();
  auto* sender = m.FindControl(L"defaultInstallBtn");
  // Hold the window thread away from the queue until the worker is done, so
  // merging is visible.
  std::thread worker([&] {
    for (uint32_t i = 0; i < 50; ++i) {
      Vellum::NotifyEvent e;
      e.type = L"checknet";
      e.sender = sender;
      e.wParam = i;
      m.SendNotify(e, true, GetParam().repeat);
    }
  });
  worker.join();
  ASSERT_TRUE(PumpUntil([&] { return frame.Count(L"checknet") >= GetParam().expected; }));
  GuiTest::PumpPending();
  ASSERT_EQ(frame.Count(L"checknet"), GetParam().expected);
  uint32_t next = GetParam().repeat ? 0 : 49;
  for (const auto& e : frame.events) {
    if (e.type != L"checknet") continue;
    EXPECT_EQ(e.threadId, ::GetCurrentThreadId());
    EXPECT_EQ(e.wParam, next++);
  }
}

INSTANTIATE_TEST_SUITE_P(Repeat, AsyncNotify, ::testing::Values(AsyncCase{true, 50}, AsyncCase{false, 1}));

}  // namespace
