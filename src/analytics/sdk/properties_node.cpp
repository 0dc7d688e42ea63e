#include "analytics/sdk/properties_node.h"

#include "analytics/sdk/checks.h"
#include "analytics/sdk/error_output.h"

namespace zv_analytics {

bool PropertiesNode::CheckProperties() const {
  for (const auto& entry : GetEntries()) {
    if (!CheckName(entry.first, "Property Key")) return false;
    if (entry.first == "$time" && entry.second.GetKind() != ValueNode::Kind::kDateTime) {
      WriteError("The property '$time' should be DateTime type.");
      return false;
    }
    if (entry.first == "$project" && entry.second.GetKind() != ValueNode::Kind::kString) {
      WriteError("The property '$project' should be String type.");
      return false;
    }
  }
  return true;
}

}  // namespace zv_analytics
