// What the test collector kept for a namespace, as records in arrival order, and
// small readers for their fields.
#pragma once
#include <string>
#include <vector>

#include "support/collector_client.h"
#include "support/strict_json.h"

namespace Collected {

using StrictJson::Value;

inline Value State(const std::string& ns) {
  Value state;
  EXPECT_TRUE(CollectorClient::State(ns, &state)) << ns;
  return state;
}

inline std::vector<Value> Records(const std::string& ns) {
  std::vector<Value> out;
  const Value state = State(ns);
  if (const Value* batches = state.Get("batches"))
    for (const Value& b : batches->items)
      if (const Value* records = b.Get("records"))
        for (const Value& r : records->items) out.push_back(r);
  return out;
}

inline long long Attempts(const std::string& ns) {
  const Value state = State(ns);
  const Value* a = state.Get("attempts");
  return a ? a->Integer() : -1;
}

inline const Value& Props(const Value& record) {
  static const Value kNone;
  const Value* p = record.Get("properties");
  return p ? *p : kNone;
}

// The string at key, or a marker that no expected text equals.
inline std::string Str(const Value& object, const std::string& key) {
  const Value* v = object.Get(key);
  return v && v->type == Value::Type::kString ? v->text : "<absent or not a string>";
}

inline std::string Event(const Value& record) { return Str(record, "event"); }

}  // namespace Collected
