// One fuzz input run through SetString (the UTF-8 rule) and the JSON writer. Shared
// by the libFuzzer target and by the unit test that replays the kept inputs.
// The input is read as a little program of node operations.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "analytics/sdk/object_node.h"
#include "analytics/sdk/utf8_rule.h"
#include "support/strict_json.h"

namespace JsonWriterFuzz {

// Well-formed UTF-8 by code point value (an independent statement of the rule),
// with the one-byte controls allowed or not.
inline bool ReferenceUtf8(const std::string& s, bool controlsAllowed) {
  for (size_t i = 0; i < s.size();) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      if (!controlsAllowed && (b == 0x7F || (b < 0x20 && b != 9 && b != 10 && b != 13))) return false;
      ++i;
      continue;
    }
    size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
    if (n == 0 || b > 0xF7 || s.size() - i < n) return false;
    uint32_t cp = b & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) {
      const unsigned char c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    const uint32_t minimum = n == 2 ? 0x80 : n == 3 ? 0x800 : 0x10000;
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += n;
  }
  return true;
}

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool More() const { return pos_ < size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::string Bytes(size_t n) {
    n = n < size_ - pos_ ? n : size_ - pos_;
    std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return s;
  }
  template <typename T>
  T Raw() {
    T v{};
    const std::string b = Bytes(sizeof v);
    std::memcpy(&v, b.data(), b.size());
    return v;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// Empty when the input behaved; otherwise what went wrong.
inline std::string Run(const uint8_t* data, size_t size) {
  using zv_analytics::utils::ObjectNode;
  Reader in(data, size);
  std::vector<ObjectNode> stack(1);
  std::vector<std::pair<std::string, std::string>> accepted;  // top-level strings kept
  while (in.More()) {
    const uint8_t op = in.Byte();
    const std::string key = in.Bytes(in.Byte() % 12);
    ObjectNode& node = stack.back();
    switch (op % 9) {
      case 0: case 1: {
        std::string value = in.Bytes(in.Byte());
        if (op % 9 == 1) value = std::string(8191 + in.Byte() % 3, 'v') + value.substr(0, 1);
        const bool expected = value.size() <= 8192 && ReferenceUtf8(value, false);
        if (zv_analytics::IsAcceptedUtf8(value) != ReferenceUtf8(value, false)) return "UTF-8 rule differs";
        if (node.SetString(key, value) != expected) return "SetString result differs";
        if (expected && node.Find(key)->AsString() != value) return "stored string differs";
        if (expected && stack.size() == 1) accepted.emplace_back(key, value);
        break;
      }
      case 2: node.SetNumber(key, in.Raw<double>()); break;
      case 3: node.SetNumber(key, in.Raw<int64_t>()); break;
      case 4: node.SetBool(key, in.Byte() & 1); break;
      case 5: {
        std::vector<std::string> items(in.Byte() % 4);
        for (auto& item : items) item = in.Bytes(in.Byte() % 16);
        node.SetList(key, items);
        break;
      }
      case 6: node.SetDateTime(key, in.Raw<int64_t>() >> (in.Byte() % 64), in.Byte() * 4); break;
      case 7:
        if (stack.size() < 8) stack.emplace_back();
        break;
      case 8:
        if (stack.size() > 1) {
          ObjectNode child = stack.back();
          stack.pop_back();
          stack.back().SetObject(key, child);
        } else {
          stack.back().Remove(key);
        }
        break;
    }
  }
  const std::string json = stack.front().ToJson();
  StrictJson::Value parsed;
  std::string error;
  if (!StrictJson::Parse(json, &parsed, &error)) return "writer output does not parse: " + error;
  if (parsed.type != StrictJson::Value::Type::kObject) return "not an object";
  // Members come out in entry order; keys that are UTF-8 come out unchanged and in byte order.
  const auto keys = parsed.Keys();
  const auto& entries = stack.front().GetEntries();
  if (keys.size() != entries.size()) return "member count differs";
  size_t i = 0;
  const std::string* previous = nullptr;
  for (const auto& entry : entries) {
    if (ReferenceUtf8(entry.first, true)) {
      if (keys[i] != entry.first) return "key changed on the way through JSON";
      if (previous && !(*previous < keys[i])) return "keys out of byte order";
      previous = &keys[i];
    }
    ++i;
  }
  for (const auto& kv : accepted) {
    const StrictJson::Value* v = stack.front().Find(kv.first) && ReferenceUtf8(kv.first, true)
                                     ? parsed.Get(kv.first)
                                     : nullptr;
    const zv_analytics::ValueNode* stored = stack.front().Find(kv.first);
    if (v && stored && stored->GetKind() == zv_analytics::ValueNode::Kind::kString &&
        stored->AsString() == kv.second && v->text != kv.second)
      return "string changed on the way through JSON";
  }
  return "";
}

}  // namespace JsonWriterFuzz
