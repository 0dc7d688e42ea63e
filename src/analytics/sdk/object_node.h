// The property map of the analytics records: keys kept in plain byte order (a key
// that is a prefix of another sorts first), so a record always serialises with
// its keys in the same order. Not thread-safe; each record is built by one thread.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "analytics/sdk/value_node.h"

namespace zv_analytics {
namespace utils {

// Byte-wise key order: bytes compare as unsigned values, whatever the sign of char.
struct ByteLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

class ObjectNode {
 public:
  using Entries = std::map<std::string, ValueNode, ByteLess>;

  // Each setter replaces an entry with the same key.
  void SetNumber(const std::string& key, double value);
  // Every integral type is stored as a signed 64-bit integer (32-bit values are sign-extended).
  template <typename T, typename std::enable_if<std::is_integral<T>::value && !std::is_same<T, bool>::value,
                                                int>::type = 0>
  void SetNumber(const std::string& key, T value) {
    SetInteger(key, static_cast<int64_t>(value));
  }
  // Stores the string only when it is at most 8192 bytes and passes the UTF-8
  // acceptance rule; otherwise writes the rejection to standard error, leaves the
  // node unchanged and returns false. A null pointer is treated as not a string
  // (rejected silently).
  bool SetString(const std::string& key, const std::string& value);
  bool SetString(const std::string& key, const char* value);
  void SetBool(const std::string& key, bool value);
  void SetObject(const std::string& key, const ObjectNode& value);
  void SetList(const std::string& key, const std::vector<std::string>& values);
  void SetDateTime(const std::string& key, int64_t seconds, int milliseconds);
  void SetValue(const std::string& key, const ValueNode& value);

  // Sets every entry of other, in key order, replacing entries with the same key.
  void Merge(const ObjectNode& other);
  // Returns whether the key was present.
  bool Remove(const std::string& key);
  // Null when absent; valid until the node changes.
  const ValueNode* Find(const std::string& key) const;
  const Entries& GetEntries() const { return entries_; }
  bool Empty() const { return entries_.empty(); }

  // The node as one line of JSON without blanks.
  std::string ToJson() const;
  void AppendJson(std::string* out) const;

 private:
  void SetInteger(const std::string& key, int64_t value);

  Entries entries_;
};

}  // namespace utils
}  // namespace zv_analytics
