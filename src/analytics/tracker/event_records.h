// The plain records of the event catalogue, one per track call, filled by the
// caller. Texts may be UTF-8 or in the system ANSI code page (the tracker converts);
// std::optional marks the fields that are recorded only when present.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "analytics/tracker/catalogue_enums.h"

namespace zorvik {
namespace analytics {

struct ZvEventActivity {};
struct ZvEventLaunch {};

struct ZvEventLogin {
  std::string userId;
  ZvUserType userType = ZvUserType::Unknown;
  bool success = true;
  std::string reason;
  int vipLevel = 0;
};

struct ZvEventClick {
  std::string aname;
  std::string name;  // required
  ZvClickType clickType = ZvClickType::Button;
  std::string title;
  std::string module;
  std::string position;
  std::optional<int32_t> tabIndex;
  std::string tabName;
  std::optional<int32_t> bannerIndex;
  std::string bannerName;
};

struct ZvEventView {
  std::string aname;
  std::string name;  // required
  std::string title;
  std::string position;
};

struct ZvEventCashier {
  std::string cashierName;  // required
  std::string cashierTitle;
  std::string subitem;
};

struct ZvEventShare {
  std::string aname;
  std::string channel;
  std::string position;
  std::string sharedName;
  std::optional<ZvResult> result;
};

struct ZvEventTask {
  std::string aname;
  std::string name;  // required
  std::string reason;
  std::optional<float> elapsed;
  std::optional<ZvResult> result;
};

struct ZvEventFile {
  std::string aname;  // required
  std::optional<int32_t> io;  // 0 input, 1 output
  std::optional<ZvResult> result;
  std::string name;
  std::string ext;
  double size = 0;
  std::optional<int32_t> duration;
  std::optional<double> fps;
  std::optional<double> bps;
  std::optional<int32_t> width;
  std::optional<int32_t> height;
  std::optional<int32_t> depth;
};

struct ZvEventOrder {
  std::string suitId;  // required
  std::optional<ZvCurrency> currency;  // required
  double paidAmount = 0;      // above 0
  double originalAmount = 0;  // above 0
  std::string orderId;
  std::string subitem;
  std::string sku;
  std::optional<int32_t> campaignCode;
  std::string voucherId;
  double curOriginalAmount = 0;
  double curPaidAmount = 0;
  std::string cashierName;
  std::string cashierTitle;
};

struct ZvEventPayment {
  std::string orderId;  // required
  ZvPaidPlatform paidPlatform = ZvPaidPlatform::Alipay;
  ZvCurrency currency = ZvCurrency::CNY;
  double paidAmount = 0;      // 0 or more
  double originalAmount = 0;  // 0 or more
  std::optional<ZvResult> result;  // Success or Fail
  std::string suitId;
  std::optional<ZvIapType> iapType;
  std::string subitem;
  std::string sku;
  std::string voucherId;
  std::string usedVoucherId;
  std::optional<int32_t> campaignCode;
  double curOriginalAmount = 0;
  double curPaidAmount = 0;
  std::string cashierName;
  std::string cashierTitle;
};

struct ZvEventUninstall {
  std::string reason;
};

struct ZvEventUpdate {
  ZvUpdateOp op = ZvUpdateOp::UpdateCheck;
  std::optional<ZvUpdateResult> result;  // required for DownloadEnd and UpgrateEnd
  std::optional<double> elapsed;         // required for DownloadEnd and UpgrateEnd
};

struct ZvAppOpenNotification {
  std::string planId;    // required
  std::string planType;  // required
  std::string msgTitle;  // required
  std::string msgContent;
  std::string linkUrl;
  std::string audienceId;
  std::string planStrategyId;
  std::string strategyUnitId;
};

}  // namespace analytics
}  // namespace zorvik
