// A small strict JSON reader for tests (RFC 8259): UTF-8 text only, no raw control
// bytes in strings, exact number grammar, nothing after the value. It keeps object
// members in the order they appear, so tests can check key order too.
#pragma once
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace StrictJson {

struct Value {
  enum class Type { kNull, kBool, kNumber, kString, kArray, kObject };
  Type type = Type::kNull;
  bool boolean = false;
  std::string text;  // the number as written, or the decoded string (UTF-8)
  std::vector<Value> items;
  std::vector<std::pair<std::string, Value>> members;

  double Number() const { return std::strtod(text.c_str(), nullptr); }
  long long Integer() const { return std::strtoll(text.c_str(), nullptr, 10); }
  // Null when absent or not an object.
  const Value* Get(const std::string& key) const {
    for (const auto& m : members)
      if (m.first == key) return &m.second;
    return nullptr;
  }
  bool Has(const std::string& key) const { return Get(key) != nullptr; }
  std::vector<std::string> Keys() const {
    std::vector<std::string> keys;
    for (const auto& m : members) keys.push_back(m.first);
    return keys;
  }
};

class Parser {
 public:
  explicit Parser(const std::string& text) : s_(text) {}

  // True when the whole text is one JSON value; error() tells why not.
  bool Parse(Value* out) {
    SkipBlanks();
    if (!ParseValue(out, 0)) return false;
    SkipBlanks();
    if (pos_ != s_.size()) return Fail("text after the value");
    return true;
  }
  const std::string& error() const { return error_; }
  size_t position() const { return pos_; }

 private:
  static constexpr int kMaxDepth = 200;

  bool Fail(const char* why) {
    if (error_.empty()) error_ = why;
    return false;
  }
  bool AtEnd() const { return pos_ >= s_.size(); }
  unsigned char Peek() const { return AtEnd() ? 0 : static_cast<unsigned char>(s_[pos_]); }
  void SkipBlanks() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) ++pos_;
  }
  bool Literal(const char* word) {
    const std::string w(word);
    if (s_.compare(pos_, w.size(), w) != 0) return Fail("bad literal");
    pos_ += w.size();
    return true;
  }

  bool ParseValue(Value* out, int depth) {
    if (depth > kMaxDepth) return Fail("nested too deep");
    switch (Peek()) {
      case '{': return ParseObject(out, depth);
      case '[': return ParseArray(out, depth);
      case '"': out->type = Value::Type::kString; return ParseString(&out->text);
      case 't': out->type = Value::Type::kBool; out->boolean = true; return Literal("true");
      case 'f': out->type = Value::Type::kBool; out->boolean = false; return Literal("false");
      case 'n': out->type = Value::Type::kNull; return Literal("null");
      default: out->type = Value::Type::kNumber; return ParseNumber(&out->text);
    }
  }

  bool ParseObject(Value* out, int depth) {
    out->type = Value::Type::kObject;
    ++pos_;
    SkipBlanks();
    if (Peek() == '}') return ++pos_, true;
    for (;;) {
      SkipBlanks();
      if (Peek() != '"') return Fail("object key is not a string");
      std::pair<std::string, Value> member;
      if (!ParseString(&member.first)) return false;
      SkipBlanks();
      if (Peek() != ':') return Fail("missing colon");
      ++pos_;
      SkipBlanks();
      if (!ParseValue(&member.second, depth + 1)) return false;
      out->members.push_back(std::move(member));
      SkipBlanks();
      if (Peek() == ',') { ++pos_; continue; }
      if (Peek() == '}') return ++pos_, true;
      return Fail("object not closed");
    }
  }

  bool ParseArray(Value* out, int depth) {
    out->type = Value::Type::kArray;
    ++pos_;
    SkipBlanks();
    if (Peek() == ']') return ++pos_, true;
    for (;;) {
      SkipBlanks();
      Value item;
      if (!ParseValue(&item, depth + 1)) return false;
      out->items.push_back(std::move(item));
      SkipBlanks();
      if (Peek() == ',') { ++pos_; continue; }
      if (Peek() == ']') return ++pos_, true;
      return Fail("array not closed");
    }
  }

  bool Digits() {
    const size_t start = pos_;
    while (Peek() >= '0' && Peek() <= '9') ++pos_;
    return pos_ > start;
  }

  bool ParseNumber(std::string* out) {
    const size_t start = pos_;
    if (Peek() == '-') ++pos_;
    if (Peek() == '0') {
      ++pos_;
    } else if (!Digits()) {
      return Fail("bad number");
    }
    if (Peek() == '.') {
      ++pos_;
      if (!Digits()) return Fail("no digits after the point");
    }
    if (Peek() == 'e' || Peek() == 'E') {
      ++pos_;
      if (Peek() == '+' || Peek() == '-') ++pos_;
      if (!Digits()) return Fail("no exponent digits");
    }
    *out = s_.substr(start, pos_ - start);
    return true;
  }

  static void AppendUtf8(unsigned cp, std::string* out) {
    if (cp < 0x80) {
      out->push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }

  bool Hex4(unsigned* out) {
    if (s_.size() - pos_ < 4) return Fail("short \\u escape");
    unsigned v = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = s_[pos_++];
      v <<= 4;
      if (c >= '0' && c <= '9') v |= c - '0';
      else if (c >= 'a' && c <= 'f') v |= c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') v |= c - 'A' + 10;
      else return Fail("bad hex digit");
    }
    *out = v;
    return true;
  }

  bool ParseUnicodeEscape(std::string* out) {
    unsigned cp = 0;
    if (!Hex4(&cp)) return false;
    if (cp >= 0xDC00 && cp <= 0xDFFF) return Fail("lone low surrogate");
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      if (s_.compare(pos_, 2, "\\u") != 0) return Fail("lone high surrogate");
      pos_ += 2;
      unsigned low = 0;
      if (!Hex4(&low)) return false;
      if (low < 0xDC00 || low > 0xDFFF) return Fail("bad low surrogate");
      cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
    }
    AppendUtf8(cp, out);
    return true;
  }

  bool ParseEscape(std::string* out) {
    const char c = s_[pos_++];
    switch (c) {
      case '"': out->push_back('"'); return true;
      case '\\': out->push_back('\\'); return true;
      case '/': out->push_back('/'); return true;
      case 'b': out->push_back('\b'); return true;
      case 'f': out->push_back('\f'); return true;
      case 'n': out->push_back('\n'); return true;
      case 'r': out->push_back('\r'); return true;
      case 't': out->push_back('\t'); return true;
      case 'u': return ParseUnicodeEscape(out);
      default: return Fail("bad escape");
    }
  }

  // One well-formed UTF-8 sequence, checked by its code point value.
  bool ParseUtf8(std::string* out) {
    const unsigned char lead = Peek();
    size_t length = 0;
    unsigned cp = 0;
    if (lead >= 0xC0 && lead < 0xE0) { length = 2; cp = lead & 0x1F; }
    else if (lead >= 0xE0 && lead < 0xF0) { length = 3; cp = lead & 0x0F; }
    else if (lead >= 0xF0 && lead < 0xF8) { length = 4; cp = lead & 0x07; }
    else return Fail("bad UTF-8 lead byte");
    if (s_.size() - pos_ < length) return Fail("cut UTF-8 sequence");
    for (size_t i = 1; i < length; ++i) {
      const unsigned char b = static_cast<unsigned char>(s_[pos_ + i]);
      if ((b & 0xC0) != 0x80) return Fail("bad UTF-8 continuation");
      cp = (cp << 6) | (b & 0x3F);
    }
    const unsigned minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (cp < minimum) return Fail("overlong UTF-8");
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return Fail("UTF-8 outside Unicode scalars");
    out->append(s_, pos_, length);
    pos_ += length;
    return true;
  }

  bool ParseString(std::string* out) {
    ++pos_;
    for (;;) {
      if (AtEnd()) return Fail("string not closed");
      const unsigned char c = Peek();
      if (c == '"') return ++pos_, true;
      if (c < 0x20) return Fail("raw control byte in string");
      if (c == '\\') {
        ++pos_;
        if (AtEnd()) return Fail("cut escape");
        if (!ParseEscape(out)) return false;
      } else if (c < 0x80) {
        out->push_back(static_cast<char>(c));
        ++pos_;
      } else if (!ParseUtf8(out)) {
        return false;
      }
    }
  }

  const std::string& s_;
  size_t pos_ = 0;
  std::string error_;
};

inline bool Parse(const std::string& text, Value* out, std::string* error = nullptr) {
  Parser p(text);
  const bool ok = p.Parse(out);
  if (!ok && error) *error = p.error() + " at byte " + std::to_string(p.position());
  return ok;
}

}  // namespace StrictJson
