// The catalogue calls that also touch the user's profile or identity: activation,
// launch, login and payment.
#include <cstdio>

#include "analytics/sdk/sdk.h"
#include "analytics/sdk/track_id.h"
#include "analytics/tracker/analytics_tracker_impl.h"
#include "analytics/tracker/catalogue_enums.h"
#include "analytics/tracker/event_text.h"
#include "analytics/tracker/profile_rules.h"
#include "analytics/tracker/zv_exception.h"

namespace zorvik {
namespace analytics {
namespace {

using zv_analytics::PropertiesNode;
using zv_analytics::Sdk;

const char kInstallSource[] = "android_id=123##imei=1234##mac=123";

std::string AmountText(double amount) {
  char buf[512];
  std::snprintf(buf, sizeof buf, "%f", amount);
  return buf;
}

}  // namespace

void AnalyticsTrackerImpl::VisitProfileUpdates() {
  const int64_t now = zv_analytics::UnixMilliseconds();
  for (const char* key : {"$first_visit_time", "zv_first_visit_date", "zv_last_visit_date"}) {
    ProfileUserPropertyDateTime(key, now);
    pending_.fetch_add(1);
  }
}

void AnalyticsTrackerImpl::trackActivity(const ZvEventActivity&, const ZvContextProperties& context) {
  VisitProfileUpdates();
  const std::pair<const char*, std::string> strings[] = {
      {"zv_os", "Windows"},          {"zv_os_version", osVersion_},          {"zv_app_store", config_.appStore},
      {"zv_app_platform", "Windows"}, {"zv_last_app_id", config_.appName}, {"zv_last_app_version", config_.appVersion},
      {"$ios_install_source", kInstallSource}};
  for (const auto& s : strings) {
    ProfileUserPropertyString(s.first, s.second);
    pending_.fetch_add(1);
  }

  PropertiesNode p;
  SetOptionalText(&p, "zv_app_store", config_.appStore);
  SetOptionalText(&p, "zv_app_id", config_.appName);
  SetOptionalText(&p, "$app_id", config_.appName);
  SetOptionalText(&p, "$app_version", config_.appVersion);
  p.SetString("$ios_install_source", kInstallSource);
  SetOptionalText(&p, "$user_agent", userAgent_);
  p.SetBool("$is_first_time", true);
  p.SetString("$os", "Windows");
  p.SetString("$os_version", osVersion_);
  context.applyTo(kEventActivity, &p);
  Sdk::TrackActivation("ZvEventActivity", p);
  Urgent();
}

void AnalyticsTrackerImpl::trackLaunch(const ZvEventLaunch&, const ZvContextProperties& context) {
  if (!identity().userId.empty()) VisitProfileUpdates();
  PropertiesNode p;
  Record(kEventLaunch, "ZvEventLaunch", &p, &context);
  Urgent();
}

void AnalyticsTrackerImpl::SwitchToLogin(const std::string& userId, int vipLevel) {
  Sdk::Login(userId);
  Identity saved;
  {
    std::lock_guard<std::mutex> hold(identityLock_);
    identity_.isLogined = true;
    identity_.userId = userId;
    identity_.distinctId = userId;
    identity_.vipLevel = vipLevel;
    saved = identity_;
  }
  PropertiesNode user;
  user.SetString("zv_user_id", userId);
  Sdk::AddCommonProperties(user);
  if (store_) store_->Save(saved);
}

void AnalyticsTrackerImpl::trackLogin(const ZvEventLogin& event, const ZvContextProperties& context) {
  const std::string type = UserTypeName(event.userType);
  const std::string userId = ToEventText(event.userId);
  PropertiesNode p;
  if (!userId.empty()) {
    p.SetString("zv_user_id", userId);
    p.SetString("zv_login_id", userId);
    p.SetBool("$is_first_time", true);
  }
  p.SetString("zv_type", type);
  p.SetString("zv_result", event.success ? "Success" : "Fail");
  SetOptionalText(&p, "zv_reason", event.reason);
  if (!userId.empty()) {
    const Identity id = identity();
    if (!id.isLogined || id.userId.empty()) SwitchToLogin(userId, event.vipLevel);
  }
  Record(kEventLogin, "ZvEventLogin", &p, &context);
  Urgent();
}

void AnalyticsTrackerImpl::trackPayment(const ZvEventPayment& event, const ZvContextProperties& context) {
  if (event.orderId.empty()) ZV_RAISE("zvEventPayment.zvOrderId is empty");
  if (event.paidAmount < 0) ZV_RAISE("paidAmount = " + AmountText(event.paidAmount) + " is invalid");
  if (event.originalAmount < 0) ZV_RAISE("originalAmount = " + AmountText(event.originalAmount) + " is invalid");
  if (!event.result || (*event.result != ZvResult::Success && *event.result != ZvResult::Fail))
    ZV_RAISE("zvEventPayment.result is invalid");
  PropertiesNode p;
  SetEventText(&p, "zv_order_id", event.orderId);
  p.SetString("zv_paid_platform", PaidPlatformName(event.paidPlatform));
  p.SetString("zv_currency", CurrencyName(event.currency));
  p.SetNumber("zv_paid_amount", event.paidAmount);
  p.SetNumber("zv_original_amount", event.originalAmount);
  p.SetString("zv_result", ResultName(*event.result));
  p.SetBool("$is_first_time", true);
  SetOptionalText(&p, "zv_suit_id", event.suitId);
  if (event.iapType) p.SetString("zv_iap_type", IapTypeName(*event.iapType));
  SetOptionalText(&p, "zv_subitem", event.subitem);
  SetOptionalText(&p, "zv_sku", event.sku);
  SetOptionalText(&p, "zv_voucher_id", event.voucherId);
  SetOptionalText(&p, "zv_used_voucher_id", event.usedVoucherId);
  if (event.campaignCode) p.SetNumber("zv_campaign_code", *event.campaignCode);
  if (event.curOriginalAmount > 0) p.SetNumber("zv_cur_original_amount", event.curOriginalAmount);
  if (event.curPaidAmount > 0) p.SetNumber("zv_cur_paid_amount", event.curPaidAmount);
  SetOptionalText(&p, "zv_cashier_name", event.cashierName);
  SetOptionalText(&p, "zv_cashier_title", event.cashierTitle);
  Record(kEventPayment, "ZvEventPayment", &p, &context);

  if (*event.result == ZvResult::Success) {
    Identity saved;
    {
      std::lock_guard<std::mutex> hold(identityLock_);
      identity_.vipLevel = 1;
      saved = identity_;
    }
    if (store_) store_->Save(saved);
  }
  ProfileUserPropertyNumber("zv_paid_count", int32_t{1});
  pending_.fetch_add(1);
  ProfileUserPropertyNumber("zv_consumption", event.paidAmount);
  pending_.fetch_add(1);
  const int64_t now = zv_analytics::UnixMilliseconds();
  for (const char* key : {"zv_first_paid_date", "zv_last_paid_date"}) {
    ProfileUserPropertyDateTime(key, now);
    pending_.fetch_add(1);
  }
  Urgent();
}

}  // namespace analytics
}  // namespace zorvik
