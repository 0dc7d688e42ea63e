#include "analytics/sdk/object_node.h"

#include <cstring>

#include "analytics/sdk/error_output.h"
#include "analytics/sdk/json_text.h"
#include "analytics/sdk/utf8_rule.h"

namespace zv_analytics {
namespace utils {
namespace {

constexpr size_t kMaxStringLength = 8192;

}  // namespace

bool ByteLess::operator()(const std::string& a, const std::string& b) const {
  const size_t common = a.size() < b.size() ? a.size() : b.size();
  const int order = common ? std::memcmp(a.data(), b.data(), common) : 0;
  return order != 0 ? order < 0 : a.size() < b.size();
}

void ObjectNode::SetValue(const std::string& key, const ValueNode& value) { entries_.insert_or_assign(key, value); }

void ObjectNode::SetNumber(const std::string& key, double value) { SetValue(key, ValueNode::Number(value)); }

void ObjectNode::SetInteger(const std::string& key, int64_t value) { SetValue(key, ValueNode::Integer(value)); }

bool ObjectNode::SetString(const std::string& key, const std::string& value) {
  if (value.size() > kMaxStringLength) {
    WriteError("String property '" + key + "' is too long, value: " + value + "\n");
    return false;
  }
  if (!IsAcceptedUtf8(value)) {
    WriteError("String property '" + key + "' is not valid UTF-8 string, value: " + value + "\n");
    return false;
  }
  SetValue(key, ValueNode::String(value));
  return true;
}

bool ObjectNode::SetString(const std::string& key, const char* value) {
  if (value == nullptr) return false;
  return SetString(key, std::string(value));
}

void ObjectNode::SetBool(const std::string& key, bool value) { SetValue(key, ValueNode::Bool(value)); }

void ObjectNode::SetObject(const std::string& key, const ObjectNode& value) {
  SetValue(key, ValueNode::Object(value));
}

void ObjectNode::SetList(const std::string& key, const std::vector<std::string>& values) {
  SetValue(key, ValueNode::List(values));
}

void ObjectNode::SetDateTime(const std::string& key, int64_t seconds, int milliseconds) {
  SetValue(key, ValueNode::Time(DateTime{seconds, milliseconds}));
}

void ObjectNode::Merge(const ObjectNode& other) {
  if (&other == this) return;
  for (const auto& entry : other.entries_) SetValue(entry.first, entry.second);
}

bool ObjectNode::Remove(const std::string& key) { return entries_.erase(key) != 0; }

const ValueNode* ObjectNode::Find(const std::string& key) const {
  const auto it = entries_.find(key);
  return it == entries_.end() ? nullptr : &it->second;
}

std::string ObjectNode::ToJson() const {
  std::string out;
  AppendJson(&out);
  return out;
}

void ObjectNode::AppendJson(std::string* out) const {
  out->push_back('{');
  bool first = true;
  for (const auto& entry : entries_) {
    if (!first) out->push_back(',');
    first = false;
    json_text::AppendString(entry.first, out);
    out->push_back(':');
    entry.second.AppendJson(out);
  }
  out->push_back('}');
}

}  // namespace utils
}  // namespace zv_analytics
