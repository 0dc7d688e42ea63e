#include "analytics/tracker/event_text.h"

#include "analytics/sdk/properties_node.h"
#include "analytics/sdk/utf8_rule.h"

namespace zorvik {
namespace analytics {

std::string ToEventText(const std::string& text) {
  if (text.empty() || zv_analytics::IsAcceptedUtf8(text)) return text;
  return AnsiToUtf8(text);
}

void SetEventText(zv_analytics::PropertiesNode* properties, const std::string& key, const std::string& text) {
  properties->SetString(key, ToEventText(text));
}

void SetOptionalText(zv_analytics::PropertiesNode* properties, const std::string& key, const std::string& text) {
  if (!text.empty()) SetEventText(properties, key, text);
}

}  // namespace analytics
}  // namespace zorvik
