#include "analytics/tracker/catalogue_enums.h"

#include <cstddef>

#include "analytics/tracker/zv_exception.h"

namespace zorvik {
namespace analytics {
namespace {

template <size_t N>
std::string NameAt(const char* const (&names)[N], int first, int value, const char* what) {
  if (value < first || value >= first + static_cast<int>(N))
    ZV_RAISE(std::string("Unknown ") + what + " [" + std::to_string(value) + "]!");
  return names[value - first];
}

}  // namespace

std::string ResultName(ZvResult value) {
  static const char* const kNames[] = {"Success", "Cancelled", "Fail", "Unknown"};
  return NameAt(kNames, 0, static_cast<int>(value), "task result");
}

std::string ClickTypeName(ZvClickType value) {
  static const char* const kNames[] = {"Button", "Banner", "Tutorial", "File", "Others"};
  return NameAt(kNames, 0, static_cast<int>(value), "ClickType");
}

std::string UserTypeName(ZvUserType value) {
  static const char* const kNames[] = {"unknown", "mobilephone", "email", "weixin",       "qq",     "deviceid",
                                       "baidu",   "huawei",      "apple", "zorvikuserid", "google", "facebook"};
  return NameAt(kNames, 0, static_cast<int>(value), "user type");
}

std::string CurrencyName(ZvCurrency value) {
  static const char* const kNames[] = {"CNY", "USD", "EUR", "HKD", "TWD", "MOP",
                                       "SGD", "JPY", "KRW", "INR", "GBP"};
  return NameAt(kNames, 0, static_cast<int>(value), "currency");
}

std::string PaidPlatformName(ZvPaidPlatform value) {
  static const char* const kNames[] = {"Alipay",    "WeChatPay", "PayPal",   "Tenpay", "CIECC",
                                       "GooglePay", "HuaweiPay", "AppleIAP", "Paddle", "ChinaUnionPay"};
  return NameAt(kNames, 0, static_cast<int>(value), "paid platform");
}

std::string IapTypeName(ZvIapType value) {
  static const char* const kNames[] = {"Consumable", "NonConsumable", "AutoRenewable", "NonRenewable"};
  return NameAt(kNames, 1, static_cast<int>(value), "zvIapType");
}

std::string UpdateOpName(ZvUpdateOp value) {
  static const char* const kNames[] = {"UpdateCheck", "DownloadStart", "DownloadEnd", "UpgrateStart", "UpgrateEnd"};
  return NameAt(kNames, 0, static_cast<int>(value), "ZvUpdateOp");
}

std::string UpdateResultName(ZvUpdateResult value) {
  static const char* const kNames[] = {"Success", "Cancelled", "Timeout", "Fail", "Latest", "Updateable"};
  return NameAt(kNames, 0, static_cast<int>(value), "ZvUpdateResult");
}

std::string EventKindName(int kind) {
  static const char* const kNames[] = {"Activity", "PaLaunchPal", "Login",     "Click",     "View",
                                       "Cashier",  "Share",       "Task",      "File",      "Order",
                                       "Payment",  "Uninstall",   "Update",    "Crashed",   "AppOpenNotification"};
  return NameAt(kNames, 0, kind, "Event");
}

}  // namespace analytics
}  // namespace zorvik
