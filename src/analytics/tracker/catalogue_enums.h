// The enumerations of the event catalogue and the names their values carry in the
// records. Each name function raises a ZvException for a value outside its table,
// with the catalogue's message; the enums are plain ints underneath, so a caller
// can hand in any value and is refused, never misread.
#pragma once
#include <string>

namespace zorvik {
namespace analytics {

// The shared result of several events.
enum class ZvResult : int { Success = 0, Cancelled = 1, Fail = 2, Unknown = 3 };
enum class ZvClickType : int { Button = 0, Banner = 1, Tutorial = 2, File = 3, Others = 4 };
enum class ZvUserType : int {
  Unknown = 0, MobilePhone, Email, Weixin, QQ, DeviceId, Baidu, Huawei, Apple, ZorvikUserId, Google, Facebook
};
enum class ZvCurrency : int { CNY = 0, USD, EUR, HKD, TWD, MOP, SGD, JPY, KRW, INR, GBP };
enum class ZvPaidPlatform : int {
  Alipay = 0, WeChatPay, PayPal, Tenpay, CIECC, GooglePay, HuaweiPay, AppleIAP, Paddle, ChinaUnionPay
};
enum class ZvIapType : int { Consumable = 1, NonConsumable = 2, AutoRenewable = 3, NonRenewable = 4 };
enum class ZvUpdateOp : int { UpdateCheck = 0, DownloadStart, DownloadEnd, UpgrateStart, UpgrateEnd };
enum class ZvUpdateResult : int { Success = 0, Cancelled, Timeout, Fail, Latest, Updateable };

// The event kinds that index the context properties; also the kinds' names in
// the event log.
enum ZvEventKind : int {
  kEventActivity = 0, kEventLaunch = 1, kEventLogin = 2, kEventClick = 3, kEventView = 4, kEventCashier = 5,
  kEventShare = 6, kEventTask = 7, kEventFile = 8, kEventOrder = 9, kEventPayment = 10, kEventUninstall = 11,
  kEventUpdate = 12, kEventCrashed = 13, kEventAppOpenNotification = 14
};
constexpr int kEventKindCount = 15;

std::string ResultName(ZvResult value);            // "Unknown task result [v]!"
std::string ClickTypeName(ZvClickType value);      // "Unknown ClickType [v]!"
std::string UserTypeName(ZvUserType value);        // "Unknown user type [v]!"
std::string CurrencyName(ZvCurrency value);        // "Unknown currency [v]!"
std::string PaidPlatformName(ZvPaidPlatform value);  // "Unknown paid platform [v]!"
std::string IapTypeName(ZvIapType value);          // "Unknown zvIapType [v]!"
std::string UpdateOpName(ZvUpdateOp value);        // "Unknown ZvUpdateOp [v]!"
std::string UpdateResultName(ZvUpdateResult value);  // "Unknown ZvUpdateResult [v]!"
std::string EventKindName(int kind);               // "Unknown Event [v]!"

}  // namespace analytics
}  // namespace zorvik
