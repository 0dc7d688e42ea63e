// One typed value of a property map. A node owns its payload; copying an object
// value copies the whole nested map, so no two maps ever share a node.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zv_analytics {

namespace utils {
class ObjectNode;
}

// A point in time: seconds since 1970-01-01 00:00 UTC and the milliseconds in that second.
struct DateTime {
  int64_t seconds = 0;
  int milliseconds = 0;
};

class ValueNode {
 public:
  enum class Kind { kNumber, kInteger, kString, kList, kDateTime, kBool, kObject };

  static ValueNode Number(double value);
  static ValueNode Integer(int64_t value);
  static ValueNode String(std::string value);
  static ValueNode List(std::vector<std::string> values);
  static ValueNode Time(DateTime value);
  static ValueNode Bool(bool value);
  static ValueNode Object(const utils::ObjectNode& value);

  ValueNode(const ValueNode& other);
  ValueNode(ValueNode&& other) noexcept;
  ValueNode& operator=(const ValueNode& other);
  ValueNode& operator=(ValueNode&& other) noexcept;
  ~ValueNode();

  Kind GetKind() const { return kind_; }
  // Each accessor is meaningful only for its own kind; the others read as the
  // payload's zero value (0, "", empty list, empty object).
  double AsNumber() const { return number_; }
  int64_t AsInteger() const { return integer_; }
  const std::string& AsString() const { return text_; }
  const std::vector<std::string>& AsList() const { return list_; }
  DateTime AsDateTime() const { return time_; }
  bool AsBool() const { return flag_; }
  const utils::ObjectNode& AsObject() const;

  // Appends the compact JSON form of the value (see json_text.h for the rules).
  void AppendJson(std::string* out) const;

 private:
  explicit ValueNode(Kind kind);

  Kind kind_;
  double number_ = 0.0;
  int64_t integer_ = 0;
  std::string text_;
  std::vector<std::string> list_;
  DateTime time_;
  bool flag_ = false;
  std::unique_ptr<utils::ObjectNode> object_;  // set only for kObject
};

}  // namespace zv_analytics
