#include "analytics/tracker/profile_rules.h"

#include <map>

#include "analytics/sdk/sdk.h"
#include "analytics/tracker/time_text.h"
#include "analytics/tracker/zv_exception.h"

namespace zorvik {
namespace analytics {
namespace {

using zv_analytics::PropertiesNode;
using zv_analytics::Sdk;

std::map<std::string, ProfileRule> BuildRules() {
  std::map<std::string, ProfileRule> rules;
  for (const char* key :
       {"zv_label", "zv_os", "zv_os_version", "zv_manufacturer", "zv_model", "zv_app_store", "zv_app_platform",
        "zv_last_app_id", "zv_last_app_version", "zv_carrier", "zv_last_visit_date", "aurora_pushid", "zv_user_id",
        "zv_user_name", "zv_user_type", "zv_user_nickname", "zv_user_portrait", "zv_user_mobilephone",
        "zv_user_email", "zv_user_weixin", "zv_user_qq", "zv_user_did", "zv_user_created", "zv_user_last_login",
        "zv_user_last_ip", "zv_user_vip_level", "zv_user_vip_enddate", "idfa", "imei", "android_id", "oaid", "zv_ip",
        "zv_country_code", "zv_country", "zv_province", "zv_city", "zv_last_paid_date"})
    rules[key] = ProfileRule::Set;
  for (const char* key : {"$first_visit_time", "zv_first_visit_date", "$ios_install_source", "zv_first_paid_date"})
    rules[key] = ProfileRule::SetOnce;
  for (const char* key : {"zv_visit_count", "zv_paid_count", "zv_consumption"}) rules[key] = ProfileRule::Add;
  return rules;
}

ProfileRule RuleOrRaise(const std::string& key) {
  const ProfileRule rule = ProfileRuleFor(key);
  if (rule == ProfileRule::None) ZV_RAISE("Not supported user property [" + key + "]!");
  return rule;
}

[[noreturn]] void Refuse(const std::string& key, const std::string& why) {
  ZV_RAISE("user property [" + key + "] is " + why);
}

}  // namespace

ProfileRule ProfileRuleFor(const std::string& key) {
  static const std::map<std::string, ProfileRule> kRules = BuildRules();
  auto it = kRules.find(key);
  return it == kRules.end() ? ProfileRule::None : it->second;
}

void ProfileUserPropertyString(const std::string& key, const std::string& value) {
  switch (RuleOrRaise(key)) {
    case ProfileRule::SetOnce: Sdk::ProfileSetOnce(key, value); break;
    case ProfileRule::Add: Refuse(key, "string type value, it cannot be accumulated!");
    case ProfileRule::Set: Sdk::ProfileSet(key, value); break;
    default: Sdk::ProfileAppend(key, value); break;
  }
}

void ProfileUserPropertyNumber(const std::string& key, int32_t value) {
  switch (RuleOrRaise(key)) {
    case ProfileRule::SetOnce: Sdk::ProfileSetOnce(key, value); break;
    case ProfileRule::Add: Sdk::ProfileIncrement(key, value); break;
    case ProfileRule::Set: Sdk::ProfileSet(key, value); break;
    default: Refuse(key, "number value, it cannot be append to list!");
  }
}

void ProfileUserPropertyNumber(const std::string& key, double value) {
  switch (RuleOrRaise(key)) {
    case ProfileRule::SetOnce: Sdk::ProfileSetOnce(key, value); break;
    case ProfileRule::Add: {
      PropertiesNode one;
      one.SetNumber(key, value);
      Sdk::ProfileIncrement(one);
      break;
    }
    case ProfileRule::Set: Sdk::ProfileSet(key, value); break;
    default: Refuse(key, "number value, it cannot be append to list!");
  }
}

void ProfileUserPropertyDateTime(const std::string& key, int64_t time) {
  const ProfileRule rule = RuleOrRaise(key);
  if (rule == ProfileRule::Add) Refuse(key, "boolean value, it cannot be accumulative!");
  if (rule == ProfileRule::Append) Refuse(key, "boolean value, it cannot be append to list!");
  const zv_analytics::DateTime t = DateTimeFromCount(time);
  PropertiesNode one;
  one.SetDateTime(key, t.seconds, t.milliseconds);
  if (rule == ProfileRule::SetOnce)
    Sdk::ProfileSetOnce(one);
  else
    Sdk::ProfileSet(one);
}

}  // namespace analytics
}  // namespace zorvik
