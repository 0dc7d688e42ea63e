// The timer book of one window: numbering modulo 255, re-arming and stopping.
#include <gtest/gtest.h>

#include <set>

#include "ui/toolkit/control_timers.h"
#include "ui/toolkit/control_ui.h"

using Vellum::CControlTimers;
using Vellum::CControlUI;
using Start = Vellum::CControlTimers::StartResult;

namespace {

TEST(ControlTimers, StartingARunningTimerAgainLeavesOneRecord) {
  CControlTimers timers;
  CControlUI a, b;
  uint32_t first = 0, again = 0, other = 0;
  EXPECT_EQ(timers.Start(&a, 7, &first), Start::kArmNew);
  EXPECT_EQ(timers.Start(&a, 7, &again), Start::kAlreadyRunning);
  EXPECT_EQ(again, first);
  EXPECT_EQ(timers.Start(&b, 7, &other), Start::kArmNew);  // same id, other control
  EXPECT_NE(other, first);
  EXPECT_EQ(timers.Count(), 2u);
  ASSERT_NE(timers.FindLive(first), nullptr);
  EXPECT_EQ(timers.FindLive(first)->control, &a);
  EXPECT_EQ(timers.FindLive(other)->control, &b);
}

TEST(ControlTimers, AStoppedTimerRearmedKeepsItsNumber) {
  CControlTimers timers;
  CControlUI a;
  uint32_t n = 0, stopped = 0, rearmed = 0, unused = 0;
  ASSERT_EQ(timers.Start(&a, 1, &n), Start::kArmNew);
  EXPECT_TRUE(timers.Stop(&a, 1, &stopped));
  EXPECT_EQ(stopped, n);
  EXPECT_EQ(timers.FindLive(n), nullptr);    // a stopped timer delivers nothing
  EXPECT_FALSE(timers.Stop(&a, 1, &unused));  // already stopped
  EXPECT_FALSE(timers.Stop(&a, 2, &unused));  // never started
  EXPECT_EQ(timers.Start(&a, 1, &rearmed), Start::kRearm);
  EXPECT_EQ(rearmed, n);
  EXPECT_EQ(timers.Count(), 1u);
  EXPECT_NE(timers.FindLive(n), nullptr);
}

// The counter runs 1, 2, ... 254, 0, 1, ...; after wrapping it passes over
// numbers that records still hold, and with all 255 taken it refuses.
TEST(ControlTimers, NumbersComeFromACounterModulo255) {
  CControlTimers timers;
  CControlUI c;
  std::set<uint32_t> seen;
  for (uint32_t id = 0; id < 255; ++id) {
    uint32_t n = 999;
    ASSERT_EQ(timers.Start(&c, id, &n), Start::kArmNew);
    EXPECT_EQ(n, (id + 1) % 255) << id;
    seen.insert(n);
  }
  EXPECT_EQ(seen.size(), 255u);
  uint32_t n = 999;
  EXPECT_EQ(timers.Start(&c, 1000, &n), Start::kNoNumber);
  EXPECT_EQ(timers.Count(), 255u);

  CControlTimers wrapped;
  CControlUI d;
  for (uint32_t id = 0; id < 254; ++id) wrapped.Start(&d, id, &n);  // numbers 1..254
  ASSERT_EQ(n, 254u);
  std::vector<uint32_t> running;
  wrapped.RemoveControl(&d, &running);
  EXPECT_EQ(running.size(), 254u);
  CControlUI e;
  wrapped.Start(&e, 1, &n);
  EXPECT_EQ(n, 0u);  // the counter goes on where it was, modulo 255
  wrapped.Start(&e, 2, &n);
  EXPECT_EQ(n, 1u);
}

TEST(ControlTimers, ClearReturnsOnlyTheRunningNumbers) {
  CControlTimers timers;
  CControlUI a;
  uint32_t one = 0, two = 0;
  timers.Start(&a, 1, &one);
  timers.Start(&a, 2, &two);
  timers.Stop(&a, 1, &one);
  EXPECT_EQ(timers.Clear(), std::vector<uint32_t>{two});
  EXPECT_EQ(timers.Count(), 0u);
  EXPECT_EQ(timers.FindLive(two), nullptr);
}

}  // namespace
