// The catalogue calls the installer does not make: cashier, share, file, order,
// uninstall, update and the opened notification.
#include "analytics/sdk/sdk.h"
#include "analytics/tracker/analytics_tracker_impl.h"
#include "analytics/tracker/catalogue_enums.h"
#include "analytics/tracker/event_text.h"
#include "analytics/tracker/zv_exception.h"

namespace zorvik {
namespace analytics {

using zv_analytics::PropertiesNode;

void AnalyticsTrackerImpl::trackCashier(const ZvEventCashier& event, const ZvContextProperties& context) {
  if (event.cashierName.empty()) ZV_RAISE("zvEventCashier.zv_cashier_name is empty");
  PropertiesNode p;
  SetEventText(&p, "zv_cashier_name", event.cashierName);
  SetOptionalText(&p, "zv_cashier_title", event.cashierTitle);
  SetOptionalText(&p, "zv_subitem", event.subitem);
  p.SetBool("$is_first_time", true);
  Record(kEventCashier, "ZvEventCashier", &p, &context);
  Ordinary();
}

void AnalyticsTrackerImpl::trackShare(const ZvEventShare& event, const ZvContextProperties& context) {
  PropertiesNode p;
  SetOptionalText(&p, "zv_aname", event.aname);
  SetOptionalText(&p, "zv_channel", event.channel);
  SetOptionalText(&p, "zv_position", event.position);
  SetOptionalText(&p, "zv_shared_name", event.sharedName);
  if (event.result) p.SetString("zv_result", ResultName(*event.result));
  p.SetBool("$is_first_time", true);
  Record(kEventShare, "ZvEventShare", &p, &context);
  Ordinary();
}

void AnalyticsTrackerImpl::trackFile(const ZvEventFile& event, const ZvContextProperties& context) {
  if (event.aname.empty()) ZV_RAISE("zvEventFile.aname is empty");
  if (event.io && *event.io != 0 && *event.io != 1) ZV_RAISE("the io type is invalid");
  PropertiesNode p;
  SetEventText(&p, "zv_aname", event.aname);
  if (event.io) p.SetString("zv_io", *event.io == 0 ? "Input" : "Output");
  if (event.result) {
    const int result = static_cast<int>(*event.result);
    if (result >= 0 && result <= 2) p.SetString("zv_result", ResultName(*event.result));
  }
  SetOptionalText(&p, "zv_name", event.name);
  SetOptionalText(&p, "zv_ext", event.ext);
  if (event.size > 0) p.SetNumber("zv_size", event.size);
  if (event.duration) p.SetNumber("zv_duration", *event.duration);
  if (event.fps) p.SetNumber("zv_fps", *event.fps);
  if (event.bps) p.SetNumber("zv_bps", *event.bps);
  if (event.width) p.SetNumber("zv_width", *event.width);
  if (event.height) p.SetNumber("zv_height", *event.height);
  if (event.depth) p.SetNumber("zv_depth", *event.depth);
  p.SetBool("$is_first_time", true);
  Record(kEventFile, "ZvEventFile", &p, &context);
  Ordinary();
}

void AnalyticsTrackerImpl::trackOrder(const ZvEventOrder& event, const ZvContextProperties& context) {
  if (event.suitId.empty()) ZV_RAISE("zvEventOrder.zvSuitId is empty");
  if (!event.currency) ZV_RAISE("zvEventOrder.zvCurrency is nullptr");
  if (event.originalAmount <= 0) ZV_RAISE("zvEventOrder.originalAmount is less than zero");
  if (event.paidAmount <= 0) ZV_RAISE("zvEventOrder.paidAmount is not above zero");
  PropertiesNode p;
  SetEventText(&p, "zv_suit_id", event.suitId);
  p.SetString("zv_currency", CurrencyName(*event.currency));
  p.SetNumber("zv_paid_amount", event.paidAmount);
  p.SetNumber("zv_original_amount", event.originalAmount);
  p.SetBool("$is_first_time", true);
  SetOptionalText(&p, "zv_order_id", event.orderId);
  SetOptionalText(&p, "zv_subitem", event.subitem);
  SetOptionalText(&p, "zv_sku", event.sku);
  if (event.campaignCode) p.SetNumber("zv_campaign_code", *event.campaignCode);
  SetOptionalText(&p, "zv_voucher_id", event.voucherId);
  if (event.curOriginalAmount > 0) p.SetNumber("zv_cur_original_amount", event.curOriginalAmount);
  if (event.curPaidAmount > 0) p.SetNumber("zv_cur_paid_amount", event.curPaidAmount);
  SetOptionalText(&p, "zv_cashier_name", event.cashierName);
  SetOptionalText(&p, "zv_cashier_title", event.cashierTitle);
  Record(kEventOrder, "ZvEventOrder", &p, &context);
  Ordinary();
}

void AnalyticsTrackerImpl::trackUninstall(const ZvEventUninstall& event, const ZvContextProperties& context) {
  PropertiesNode p;
  SetOptionalText(&p, "zv_uninstall_reason", event.reason);
  Record(kEventUninstall, "ZvEventUninstall", &p, &context);
  Urgent();
}

void AnalyticsTrackerImpl::trackUpdate(const ZvEventUpdate& event, const ZvContextProperties& context) {
  const std::string op = UpdateOpName(event.op);
  const bool ends = event.op == ZvUpdateOp::DownloadEnd || event.op == ZvUpdateOp::UpgrateEnd;
  if (ends && !event.result) ZV_RAISE("Unknown updateResultInfo info");
  if (ends && !event.elapsed) ZV_RAISE("invalid elapsed info");
  PropertiesNode p;
  p.SetString("zv_update_op", op);
  if ((ends || event.op == ZvUpdateOp::UpdateCheck) && event.result)
    p.SetString("zv_update_result", UpdateResultName(*event.result));
  if (ends) p.SetNumber("zv_elapsed", *event.elapsed);
  if (event.op == ZvUpdateOp::UpgrateEnd) p.SetBool("$is_first_time", true);
  Record(kEventUpdate, "ZvEventUpdate", &p, &context);
  Urgent();
}

void AnalyticsTrackerImpl::trackAppOpenNotification(const ZvAppOpenNotification* event,
                                                     const ZvContextProperties& context) {
  if (!event) ZV_RAISE("&appOpenNotification is nullptr");
  if (event->planId.empty()) ZV_RAISE("planID is emptry");
  if (event->planType.empty()) ZV_RAISE("planType is emptry");
  if (event->msgTitle.empty()) ZV_RAISE("msgTitle is emptry");
  PropertiesNode p;
  SetEventText(&p, "$sf_msg_title", event->msgTitle);
  SetEventText(&p, "$sf_plan_id", event->planId);
  SetEventText(&p, "$sf_plan_type", event->planType);
  p.SetBool("$is_first_time", true);
  SetOptionalText(&p, "$sf_msg_content", event->msgContent);
  SetOptionalText(&p, "$sf_link_url", event->linkUrl);
  SetOptionalText(&p, "$sf_audience_id", event->audienceId);
  SetOptionalText(&p, "$sf_plan_strategy_id", event->planStrategyId);
  SetOptionalText(&p, "$sf_strategy_unit_id", event->strategyUnitId);
  Record(kEventAppOpenNotification, "AppOpenNotification", &p, &context);
  Ordinary();
}

}  // namespace analytics
}  // namespace zorvik
