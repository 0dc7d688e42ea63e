#include "analytics/sdk/value_node.h"

#include <utility>

#include "analytics/sdk/json_text.h"
#include "analytics/sdk/object_node.h"

namespace zv_analytics {

namespace {
const utils::ObjectNode kEmptyObject;
}

ValueNode::ValueNode(Kind kind) : kind_(kind) {}

ValueNode ValueNode::Number(double value) {
  ValueNode node(Kind::kNumber);
  node.number_ = value;
  return node;
}

ValueNode ValueNode::Integer(int64_t value) {
  ValueNode node(Kind::kInteger);
  node.integer_ = value;
  return node;
}

ValueNode ValueNode::String(std::string value) {
  ValueNode node(Kind::kString);
  node.text_ = std::move(value);
  return node;
}

ValueNode ValueNode::List(std::vector<std::string> values) {
  ValueNode node(Kind::kList);
  node.list_ = std::move(values);
  return node;
}

ValueNode ValueNode::Time(DateTime value) {
  ValueNode node(Kind::kDateTime);
  node.time_ = value;
  return node;
}

ValueNode ValueNode::Bool(bool value) {
  ValueNode node(Kind::kBool);
  node.flag_ = value;
  return node;
}

ValueNode ValueNode::Object(const utils::ObjectNode& value) {
  ValueNode node(Kind::kObject);
  node.object_ = std::make_unique<utils::ObjectNode>(value);
  return node;
}

ValueNode::ValueNode(const ValueNode& other)
    : kind_(other.kind_),
      number_(other.number_),
      integer_(other.integer_),
      text_(other.text_),
      list_(other.list_),
      time_(other.time_),
      flag_(other.flag_),
      object_(other.object_ ? std::make_unique<utils::ObjectNode>(*other.object_) : nullptr) {}

ValueNode::ValueNode(ValueNode&& other) noexcept = default;

ValueNode& ValueNode::operator=(const ValueNode& other) {
  if (this != &other) {
    ValueNode copy(other);
    *this = std::move(copy);
  }
  return *this;
}

ValueNode& ValueNode::operator=(ValueNode&& other) noexcept = default;
ValueNode::~ValueNode() = default;

const utils::ObjectNode& ValueNode::AsObject() const { return object_ ? *object_ : kEmptyObject; }

void ValueNode::AppendJson(std::string* out) const {
  switch (kind_) {
    case Kind::kNumber: json_text::AppendNumber(number_, out); break;
    case Kind::kInteger: json_text::AppendInteger(integer_, out); break;
    case Kind::kString: json_text::AppendString(text_, out); break;
    case Kind::kList: {
      out->push_back('[');
      for (size_t i = 0; i < list_.size(); ++i) {
        if (i) out->push_back(',');
        json_text::AppendString(list_[i], out);
      }
      out->push_back(']');
      break;
    }
    case Kind::kDateTime: json_text::AppendDateTime(time_, out); break;
    case Kind::kBool: out->append(flag_ ? "true" : "false"); break;
    case Kind::kObject: AsObject().AppendJson(out); break;
  }
}

}  // namespace zv_analytics
