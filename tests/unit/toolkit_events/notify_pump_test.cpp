// The notification map: handlers by type and events addressed to named
// sub-handlers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/toolkit/notify_pump.h"

using Vellum::CNotifyPump;
using Vellum::NotifyEvent;

namespace {

NotifyEvent Event(const wchar_t* type, const wchar_t* virtualWindow = L"") {
  NotifyEvent e;
  e.type = type;
  e.virtualWindow = virtualWindow;
  return e;
}

TEST(NotifyPump, HandlersByTypeTheLaterReplacingTheEarlier) {
  CNotifyPump pump;
  std::vector<std::wstring> seen;
  pump.AddNotifyHandler(L"click", [&](NotifyEvent&) { seen.push_back(L"first"); });
  pump.AddNotifyHandler(L"click", [&](NotifyEvent&) { seen.push_back(L"second"); });
  NotifyEvent click = Event(L"click"), timer = Event(L"timer");
  EXPECT_TRUE(pump.LoopDispatch(click));
  EXPECT_FALSE(pump.LoopDispatch(timer));
  EXPECT_EQ(seen, std::vector<std::wstring>{L"second"});
}

TEST(NotifyPump, EventsForAVirtualWindowReachOnlyItsPump) {
  CNotifyPump window, page;
  int windowClicks = 0, pageClicks = 0;
  window.AddNotifyHandler(L"click", [&](NotifyEvent&) { ++windowClicks; });
  page.AddNotifyHandler(L"click", [&](NotifyEvent&) { ++pageClicks; });
  EXPECT_TRUE(window.AddVirtualWnd(L"page", &page));
  EXPECT_FALSE(window.AddVirtualWnd(L"page", &window));  // taken
  EXPECT_FALSE(window.AddVirtualWnd(L"", &page));

  struct { const wchar_t* virtualWindow; bool handled; int windowClicks, pageClicks; } cases[] = {
      {L"page", true, 0, 1}, {L"", true, 1, 1}, {L"other", false, 1, 1}};
  for (const auto& c : cases) {
    NotifyEvent e = Event(L"click", c.virtualWindow);
    EXPECT_EQ(window.LoopDispatch(e), c.handled);
    EXPECT_EQ(windowClicks, c.windowClicks);
    EXPECT_EQ(pageClicks, c.pageClicks);
  }
  EXPECT_TRUE(window.RemoveVirtualWnd(L"page"));
  NotifyEvent e = Event(L"click", L"page");
  EXPECT_FALSE(window.LoopDispatch(e));
  EXPECT_EQ(pageClicks, 1);
}

}  // namespace
