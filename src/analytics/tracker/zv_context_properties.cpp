#include "analytics/tracker/zv_context_properties.h"

#include "analytics/tracker/catalogue_enums.h"
#include "analytics/tracker/time_text.h"
#include "analytics/tracker/zv_exception.h"

namespace zorvik {
namespace analytics {
namespace {

void CheckKind(int eventKind) {
  if (eventKind < 0 || eventKind >= kEventKindCount)
    ZV_RAISE("ZvEvent[" + std::to_string(eventKind) + "] overflow!");
}

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsUpperOrDigit(char c) { return IsUpper(c) || (c >= '0' && c <= '9'); }

}  // namespace

void ZvContextProperties::setProperty(const std::vector<int>& eventKinds, const std::string& value) {
  ZvContextValue v;
  v.kind = ZvContextValue::Kind::kString;
  v.text = value;
  addProperty("zvc_ab", v, eventKinds);
}

void ZvContextProperties::addProperty(const std::string& key, const ZvContextValue& value,
                                      const std::vector<int>& eventKinds) {
  if (byKey_.count(key)) ZV_RAISE("Property[" + key + "] already exist!");
  auto shared = std::make_shared<const ZvContextValue>(value);
  byKey_[key] = shared;
  for (int kind : eventKinds) {
    CheckKind(kind);
    byKind_[kind].push_back(Entry{value.kind, shared, key});
  }
}

const std::vector<ZvContextProperties::Entry>& ZvContextProperties::getEventProperties(int eventKind) const {
  CheckKind(eventKind);
  return byKind_[eventKind];
}

bool ZvContextProperties::isValidABValue(const std::string& value) {
  if (value.empty()) return false;
  if (value.size() > 3) ZV_RAISE("value's length is great than 3.");
  if (!IsUpper(value[0])) ZV_RAISE("First char is not in A to Z");
  if (value.size() > 1 && !IsUpperOrDigit(value[1])) ZV_RAISE("second char is not in A to Z and 0 to 9");
  if (value.size() > 2 && !IsUpperOrDigit(value[2])) ZV_RAISE("third char is not in A to Z and 0 to 9");
  return true;
}

bool ZvContextProperties::applyTo(int eventKind, zv_analytics::PropertiesNode* properties) const {
  const std::vector<Entry>& entries = getEventProperties(eventKind);
  for (const Entry& e : entries) {
    const ZvContextValue& v = *e.value;
    switch (e.kind) {
      case ZvContextValue::Kind::kBool: properties->SetBool(e.key, v.flag); break;
      case ZvContextValue::Kind::kTime: properties->SetString(e.key, LocalTimeText(v.time)); break;
      case ZvContextValue::Kind::kNumber: properties->SetNumber(e.key, v.number); break;
      case ZvContextValue::Kind::kString: properties->SetString(e.key, v.text); break;
      case ZvContextValue::Kind::kList: properties->SetList(e.key, v.list); break;
    }
  }
  return !entries.empty();
}

}  // namespace analytics
}  // namespace zorvik
