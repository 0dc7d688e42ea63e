// Every refusal of the catalogue calls, family by family: the exact message, and
// nothing counted for delivery. The tracker is not started, so nothing could be
// recorded anyway; what matters is that the call stops at its check.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "analytics/tracker/analytics_tracker_impl.h"
#include "analytics/tracker/catalogue_enums.h"
#include "analytics/tracker/zv_exception.h"

namespace {

using namespace zorvik::analytics;

struct Refusal {
  const char* what;
  std::function<void(AnalyticsTrackerImpl&)> call;
  const char* message;
};

void ExpectRefusals(const std::vector<Refusal>& cases) {
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.what);
    AnalyticsTrackerImpl tracker(TrackerConfig{});
    std::string message = "<not raised>";
    try {
      c.call(tracker);
    } catch (const ZvException& e) {
      message = e.what();
      EXPECT_GT(e.line(), 0);
      EXPECT_FALSE(e.function().empty());
    }
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(tracker.pendingCount(), 0);
  }
}

const ZvContextProperties kNoContext;

ZvEventOrder GoodOrder() {
  ZvEventOrder o;
  o.suitId = "suit";
  o.currency = ZvCurrency::USD;
  o.paidAmount = 1;
  o.originalAmount = 2;
  return o;
}

ZvEventPayment GoodPayment() {
  ZvEventPayment p;
  p.orderId = "o1";
  p.paidAmount = 1;
  p.originalAmount = 1;
  p.result = ZvResult::Success;
  return p;
}

TEST(Refusals, StartUpChecksTheConfigurationInOrder) {
  auto config = [](const char* name, const char* version, const char* store) {
    TrackerConfig c;
    c.appName = name;
    c.appVersion = version;
    c.appStore = store;
    return c;
  };
  const struct {
    TrackerConfig config;
    const char* message;
  } cases[] = {
      {config("", "", ""), "appName is empty"},
      {config("a", "", ""), "appVersion is empty"},
      {config("a", "1", ""), "appStore is empty"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    AnalyticsTrackerImpl tracker(c.config);
    std::string message;
    try {
      tracker.init();
    } catch (const ZvException& e) {
      message = e.what();
    }
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(tracker.getLogger(), nullptr);
    EXPECT_TRUE(tracker.settingsFile().empty());
  }
}

TEST(Refusals, EmptyRequiredFields) {
  ExpectRefusals({
      {"task", [](AnalyticsTrackerImpl& t) { t.trackTask(ZvEventTask{}, kNoContext); }, "zvEventTask.name is empty"},
      {"click", [](AnalyticsTrackerImpl& t) { t.trackClick(ZvEventClick{}, kNoContext); },
       "zvEventClick.name is empty"},
      {"view", [](AnalyticsTrackerImpl& t) { t.trackView(ZvEventView{}, kNoContext); }, "zvEventView.name is empty"},
      {"cashier", [](AnalyticsTrackerImpl& t) { t.trackCashier(ZvEventCashier{}, kNoContext); },
       "zvEventCashier.zv_cashier_name is empty"},
      {"file", [](AnalyticsTrackerImpl& t) { t.trackFile(ZvEventFile{}, kNoContext); }, "zvEventFile.aname is empty"},
      {"order", [](AnalyticsTrackerImpl& t) { t.trackOrder(ZvEventOrder{}, kNoContext); },
       "zvEventOrder.zvSuitId is empty"},
      {"payment", [](AnalyticsTrackerImpl& t) { t.trackPayment(ZvEventPayment{}, kNoContext); },
       "zvEventPayment.zvOrderId is empty"},
      {"notification null", [](AnalyticsTrackerImpl& t) { t.trackAppOpenNotification(nullptr, kNoContext); },
       "&appOpenNotification is nullptr"},
      {"notification plan id",
       [](AnalyticsTrackerImpl& t) {
         ZvAppOpenNotification n;
         n.planType = "p";
         n.msgTitle = "m";
         t.trackAppOpenNotification(&n, kNoContext);
       },
       "planID is emptry"},
      {"notification plan type",
       [](AnalyticsTrackerImpl& t) {
         ZvAppOpenNotification n;
         n.planId = "1";
         n.msgTitle = "m";
         t.trackAppOpenNotification(&n, kNoContext);
       },
       "planType is emptry"},
      {"notification title",
       [](AnalyticsTrackerImpl& t) {
         ZvAppOpenNotification n;
         n.planId = "1";
         n.planType = "p";
         t.trackAppOpenNotification(&n, kNoContext);
       },
       "msgTitle is emptry"},
  });
}

TEST(Refusals, UnknownEnumerationValues) {
  ExpectRefusals({
      {"click type 7",
       [](AnalyticsTrackerImpl& t) {
         ZvEventClick c;
         c.name = "b";
         c.clickType = static_cast<ZvClickType>(7);
         t.trackClick(c, kNoContext);
       },
       "Unknown ClickType [7]!"},
      {"user type 12",
       [](AnalyticsTrackerImpl& t) {
         ZvEventLogin l;
         l.userId = "u";
         l.userType = static_cast<ZvUserType>(12);
         t.trackLogin(l, kNoContext);
       },
       "Unknown user type [12]!"},
      {"order currency 11",
       [](AnalyticsTrackerImpl& t) {
         ZvEventOrder o = GoodOrder();
         o.currency = static_cast<ZvCurrency>(11);
         t.trackOrder(o, kNoContext);
       },
       "Unknown currency [11]!"},
      {"payment currency -1",
       [](AnalyticsTrackerImpl& t) {
         ZvEventPayment p = GoodPayment();
         p.currency = static_cast<ZvCurrency>(-1);
         t.trackPayment(p, kNoContext);
       },
       "Unknown currency [-1]!"},
      {"paid platform 10",
       [](AnalyticsTrackerImpl& t) {
         ZvEventPayment p = GoodPayment();
         p.paidPlatform = static_cast<ZvPaidPlatform>(10);
         t.trackPayment(p, kNoContext);
       },
       "Unknown paid platform [10]!"},
      {"iap type 0",
       [](AnalyticsTrackerImpl& t) {
         ZvEventPayment p = GoodPayment();
         p.iapType = static_cast<ZvIapType>(0);
         t.trackPayment(p, kNoContext);
       },
       "Unknown zvIapType [0]!"},
      {"update op 5",
       [](AnalyticsTrackerImpl& t) {
         ZvEventUpdate u;
         u.op = static_cast<ZvUpdateOp>(5);
         t.trackUpdate(u, kNoContext);
       },
       "Unknown ZvUpdateOp [5]!"},
      {"update result 6",
       [](AnalyticsTrackerImpl& t) {
         ZvEventUpdate u;
         u.op = ZvUpdateOp::UpdateCheck;
         u.result = static_cast<ZvUpdateResult>(6);
         t.trackUpdate(u, kNoContext);
       },
       "Unknown ZvUpdateResult [6]!"},
      {"share result 4",
       [](AnalyticsTrackerImpl& t) {
         ZvEventShare s;
         s.result = static_cast<ZvResult>(4);
         t.trackShare(s, kNoContext);
       },
       "Unknown task result [4]!"},
      {"file direction 2",
       [](AnalyticsTrackerImpl& t) {
         ZvEventFile f;
         f.aname = "open";
         f.io = 2;
         t.trackFile(f, kNoContext);
       },
       "the io type is invalid"},
      {"event kind 15", [](AnalyticsTrackerImpl&) { EventKindName(15); }, "Unknown Event [15]!"},
  });
  EXPECT_EQ(EventKindName(1), "PaLaunchPal");
  EXPECT_EQ(EventKindName(14), "AppOpenNotification");
  EXPECT_EQ(IapTypeName(ZvIapType::NonRenewable), "NonRenewable");
  EXPECT_EQ(UserTypeName(ZvUserType::Facebook), "facebook");
  EXPECT_EQ(PaidPlatformName(ZvPaidPlatform::ChinaUnionPay), "ChinaUnionPay");
  EXPECT_EQ(CurrencyName(ZvCurrency::GBP), "GBP");
  EXPECT_EQ(UpdateResultName(ZvUpdateResult::Updateable), "Updateable");
}

TEST(Refusals, AmountsResultsAndUpdateDetails) {
  ExpectRefusals({
      {"order original 0",
       [](AnalyticsTrackerImpl& t) {
         ZvEventOrder o = GoodOrder();
         o.originalAmount = 0;
         t.trackOrder(o, kNoContext);
       },
       "zvEventOrder.originalAmount is less than zero"},
      {"order without currency",
       [](AnalyticsTrackerImpl& t) {
         ZvEventOrder o = GoodOrder();
         o.currency.reset();
         o.originalAmount = 0;  // the currency is checked first
         t.trackOrder(o, kNoContext);
       },
       "zvEventOrder.zvCurrency is nullptr"},
      {"order paid 0",
       [](AnalyticsTrackerImpl& t) {
         ZvEventOrder o = GoodOrder();
         o.paidAmount = 0;
         t.trackOrder(o, kNoContext);
       },
       "zvEventOrder.paidAmount is not above zero"},
      {"payment paid -1",
       [](AnalyticsTrackerImpl& t) {
         ZvEventPayment p = GoodPayment();
         p.paidAmount = -1;
         p.originalAmount = -2;  // the paid amount is checked first
         t.trackPayment(p, kNoContext);
       },
       "paidAmount = -1.000000 is invalid"},
      {"payment original -0.5",
       [](AnalyticsTrackerImpl& t) {
         ZvEventPayment p = GoodPayment();
         p.originalAmount = -0.5;
         t.trackPayment(p, kNoContext);
       },
       "originalAmount = -0.500000 is invalid"},
      {"payment without result",
       [](AnalyticsTrackerImpl& t) {
         ZvEventPayment p = GoodPayment();
         p.result.reset();
         t.trackPayment(p, kNoContext);
       },
       "zvEventPayment.result is invalid"},
      {"payment cancelled",
       [](AnalyticsTrackerImpl& t) {
         ZvEventPayment p = GoodPayment();
         p.result = ZvResult::Cancelled;
         t.trackPayment(p, kNoContext);
       },
       "zvEventPayment.result is invalid"},
      {"download end without result",
       [](AnalyticsTrackerImpl& t) {
         ZvEventUpdate u;
         u.op = ZvUpdateOp::DownloadEnd;
         u.elapsed = 1.0;
         t.trackUpdate(u, kNoContext);
       },
       "Unknown updateResultInfo info"},
      {"upgrade end without elapsed",
       [](AnalyticsTrackerImpl& t) {
         ZvEventUpdate u;
         u.op = ZvUpdateOp::UpgrateEnd;
         u.result = ZvUpdateResult::Success;
         t.trackUpdate(u, kNoContext);
       },
       "invalid elapsed info"},
  });
}

TEST(Refusals, AcceptedRecordsCountForDelivery) {
  // The same calls with their fields in order raise the pending count instead.
  AnalyticsTrackerImpl tracker(TrackerConfig{});
  ZvEventTask task;
  task.name = "step";
  tracker.trackTask(task, kNoContext);
  tracker.trackOrder(GoodOrder(), kNoContext);
  ZvEventUpdate start;
  start.op = ZvUpdateOp::DownloadStart;
  tracker.trackUpdate(start, kNoContext);  // urgent: counted, then a flush is tried (no SDK: it fails)
  EXPECT_EQ(tracker.pendingCount(), 3);
}

}  // namespace
