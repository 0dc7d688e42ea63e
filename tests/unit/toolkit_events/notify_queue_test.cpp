// The asynchronous notification queue: order, merging without the repeat flag,
// one wake-up per batch, and feeding from worker threads.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "ui/toolkit/control_ui.h"
#include "ui/toolkit/notify_queue.h"

using Vellum::CControlUI;
using Vellum::CNotifyQueue;
using Vellum::NotifyEvent;

namespace {

NotifyEvent Event(const wchar_t* type, CControlUI* sender, uint32_t wParam) {
  NotifyEvent e;
  e.type = type;
  e.sender = sender;
  e.wParam = wParam;
  return e;
}

TEST(NotifyQueue, OneWakeUpPerBatchAndDrainKeepsOrder) {
  CNotifyQueue q;
  CControlUI a;
  EXPECT_TRUE(q.Push(Event(L"checknet", &a, 1), true));  // the caller posts the wake-up
  EXPECT_FALSE(q.Push(Event(L"checknet", &a, 2), true));
  EXPECT_FALSE(q.Push(Event(L"install", &a, 3), true));
  std::vector<NotifyEvent> got = q.Drain();
  ASSERT_EQ(got.size(), 3u);
  for (uint32_t i = 0; i < 3; ++i) EXPECT_EQ(got[i].wParam, i + 1);
  EXPECT_TRUE(q.Drain().empty());
  EXPECT_TRUE(q.Push(Event(L"checknet", &a, 4), true));  // a new batch wakes again
}

// Without repeat a queued event of the same type and sender is updated in
// place: it keeps its position and carries the newest values.
TEST(NotifyQueue, WithoutRepeatTheQueuedEventIsUpdated) {
  struct Case {
    const wchar_t* type;
    bool otherSender;
    size_t expected;
  } cases[] = {{L"checknet", false, 2}, {L"install", false, 3}, {L"checknet", true, 3}};
  for (const Case& c : cases) {
    CNotifyQueue q;
    CControlUI a, b;
    q.Push(Event(L"checknet", &a, 1), true);
    q.Push(Event(L"timer", &a, 2), true);
    q.Push(Event(c.type, c.otherSender ? &b : &a, 9), false);
    std::vector<NotifyEvent> got = q.Drain();
    ASSERT_EQ(got.size(), c.expected) << ::testing::PrintToString(std::wstring(c.type)) << c.otherSender;
    if (c.expected == 2) {
      EXPECT_EQ(got[0].type, L"checknet");
      EXPECT_EQ(got[0].wParam, 9u);
      EXPECT_EQ(got[1].type, L"timer");
    } else {
      EXPECT_EQ(got[2].wParam, 9u);
      EXPECT_EQ(got[0].wParam, 1u);
    }
  }
}

// Workers push while the owner drains; nothing is lost or doubled, each
// worker's events stay in its order, and exactly one wake-up is asked for
// every time the owner has emptied the queue and something new arrives.
TEST(NotifyQueue, WorkersFeedWhileTheOwnerDrains) {
  CNotifyQueue q;
  CControlUI senders[2];
  constexpr uint32_t kPerWorker = 2000;
  std::atomic<int> wakes{0};
  std::atomic<bool> done{false};
  std::vector<std::thread> workers;
  for (auto& sender : senders) {
    workers.emplace_back([&q, &wakes, s = &sender] {
      for (uint32_t i = 0; i < kPerWorker; ++i) {
        if (q.Push(Event(L"checknet", s, i), true)) ++wakes;
      }
    });
  }
  std::vector<uint32_t> next(2, 0);
  size_t received = 0;
  int drains = 0;
  auto drainOnce = [&] {
    std::vector<NotifyEvent> got = q.Drain();
    if (!got.empty()) ++drains;
    for (const auto& e : got) {
      size_t w = e.sender == &senders[0] ? 0 : 1;
      EXPECT_EQ(e.wParam, next[w]++);
      ++received;
    }
  };
  std::thread owner([&] {
    while (!done) drainOnce();
  });
  for (auto& t : workers) t.join();
  done = true;
  owner.join();
  drainOnce();
  EXPECT_EQ(received, 2 * kPerWorker);
  EXPECT_GE(wakes.load(), 1);
  EXPECT_LE(wakes.load(), drains);
}

}  // namespace
