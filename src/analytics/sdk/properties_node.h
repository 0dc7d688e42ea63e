// The container of event and profile properties: an ObjectNode that can check
// its keys and the two reserved keys before a record is built from it.
#pragma once
#include "analytics/sdk/object_node.h"

namespace zv_analytics {

class PropertiesNode : public utils::ObjectNode {
 public:
  // Every key must be a valid name (label "Property Key"); "$time" must hold a
  // DateTime and "$project" a string. The first failure writes its message to
  // standard error and returns false.
  bool CheckProperties() const;
};

}  // namespace zv_analytics
