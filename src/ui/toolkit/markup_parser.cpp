#include "ui/toolkit/markup_parser.h"

#include <cstdint>

namespace Vellum {
namespace {

// Appends one code point in the platform's wide encoding.
void AppendCodePoint(std::wstring& out, uint32_t cp) {
  if (sizeof(wchar_t) == 2 && cp >= 0x10000) {
    cp -= 0x10000;
    out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(static_cast<wchar_t>(cp));
  }
}

class Reader {
 public:
  Reader(const char* data, size_t size) : p_(data), end_(data + size) {}

  bool Document(MarkupElement* root) {
    if (end_ - p_ >= 3 && static_cast<unsigned char>(p_[0]) == 0xEF && static_cast<unsigned char>(p_[1]) == 0xBB &&
        static_cast<unsigned char>(p_[2]) == 0xBF) {
      p_ += 3;
    }
    SkipBlanks();
    if (StartsWith("<?xml")) {
      if (!SkipPast("?>")) return Fail(L"unterminated declaration");
    }
    if (!SkipMisc()) return false;
    if (p_ >= end_ || *p_ != '<') return Fail(L"no root element");
    if (!Element(root, 1)) return false;
    if (!SkipMisc()) return false;
    if (p_ != end_) return Fail(L"content after the root element");
    return true;
  }

  std::wstring error;

 private:
  bool Fail(const wchar_t* why) {
    if (error.empty()) error = why;
    return false;
  }
  bool StartsWith(const char* s) const {
    const char* q = p_;
    for (; *s; ++s, ++q) {
      if (q >= end_ || *q != *s) return false;
    }
    return true;
  }
  bool SkipPast(const char* s) {
    size_t n = 0;
    while (s[n]) ++n;
    for (; static_cast<size_t>(end_ - p_) >= n; ++p_) {
      if (StartsWith(s)) {
        p_ += n;
        return true;
      }
    }
    p_ = end_;
    return false;
  }
  static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
  void SkipBlanks() {
    while (p_ < end_ && IsBlank(*p_)) ++p_;
  }
  // Blanks and comments between top-level parts.
  bool SkipMisc() {
    for (;;) {
      SkipBlanks();
      if (!StartsWith("<!--")) return true;
      if (!Comment()) return false;
    }
  }
  bool Comment() {
    p_ += 4;
    if (!SkipPast("-->")) return Fail(L"unterminated comment");
    return true;
  }
  static bool IsNameChar(unsigned char c) {
    return c >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.' || c == ':';
  }
  bool Name(std::wstring* out) {
    const char* start = p_;
    while (p_ < end_ && IsNameChar(static_cast<unsigned char>(*p_))) ++p_;
    if (p_ == start) return Fail(L"name expected");
    return Utf8(start, p_, out);
  }
  // Decodes UTF-8 strictly: overlong forms, surrogates and truncated sequences fail.
  bool Utf8(const char* b, const char* e, std::wstring* out) {
    while (b < e) {
      unsigned char c = static_cast<unsigned char>(*b++);
      uint32_t cp = c;
      int more = 0;
      if (c >= 0xF0 && c <= 0xF4) {
        cp = c & 0x07;
        more = 3;
      } else if (c >= 0xE0) {
        cp = c & 0x0F;
        more = 2;
      } else if (c >= 0xC2 && c < 0xE0) {
        cp = c & 0x1F;
        more = 1;
      } else if (c >= 0x80) {
        return Fail(L"invalid UTF-8");
      }
      if (c >= 0xF5) return Fail(L"invalid UTF-8");
      for (int i = 0; i < more; ++i) {
        if (b >= e || (static_cast<unsigned char>(*b) & 0xC0) != 0x80) return Fail(L"invalid UTF-8");
        cp = (cp << 6) | (static_cast<unsigned char>(*b++) & 0x3F);
      }
      if ((more == 2 && cp < 0x800) || (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
          (cp >= 0xD800 && cp < 0xE000)) {
        return Fail(L"invalid UTF-8");
      }
      AppendCodePoint(*out, cp);
    }
    return true;
  }
  bool Reference(const char*& q, const char* e, std::wstring* out) {
    const char* semi = q;
    while (semi < e && *semi != ';' && semi - q < 12) ++semi;
    if (semi >= e || *semi != ';') return Fail(L"bad character reference");
    std::string ref(q + 1, semi);
    q = semi + 1;
    if (ref == "lt") return out->push_back(L'<'), true;
    if (ref == "gt") return out->push_back(L'>'), true;
    if (ref == "amp") return out->push_back(L'&'), true;
    if (ref == "quot") return out->push_back(L'"'), true;
    if (ref == "apos") return out->push_back(L'\''), true;
    if (ref.size() < 2 || ref[0] != '#') return Fail(L"unknown entity");
    bool hex = ref[1] == 'x';
    size_t i = hex ? 2 : 1;
    if (i >= ref.size()) return Fail(L"bad character reference");
    uint32_t cp = 0;
    for (; i < ref.size(); ++i) {
      char c = ref[i];
      uint32_t digit;
      if (c >= '0' && c <= '9') digit = static_cast<uint32_t>(c - '0');
      else if (hex && c >= 'a' && c <= 'f') digit = static_cast<uint32_t>(c - 'a' + 10);
      else if (hex && c >= 'A' && c <= 'F') digit = static_cast<uint32_t>(c - 'A' + 10);
      else return Fail(L"bad character reference");
      cp = cp * (hex ? 16 : 10) + digit;
      if (cp > 0x10FFFF) return Fail(L"bad character reference");
    }
    if (cp == 0 || (cp >= 0xD800 && cp < 0xE000)) return Fail(L"bad character reference");
    AppendCodePoint(*out, cp);
    return true;
  }
  bool AttributeValue(std::wstring* out) {
    if (p_ >= end_ || (*p_ != '"' && *p_ != '\'')) return Fail(L"quoted value expected");
    char quote = *p_++;
    const char* start = p_;
    while (p_ < end_ && *p_ != quote) {
      if (*p_ == '<') return Fail(L"'<' in a value");
      ++p_;
    }
    if (p_ >= end_) return Fail(L"unterminated value");
    const char* stop = p_++;
    for (const char* q = start; q < stop;) {
      const char* run = q;
      while (q < stop && *q != '&') ++q;
      if (!Utf8(run, q, out)) return false;
      if (q < stop && !Reference(q, stop, out)) return false;
    }
    return true;
  }
  bool Attributes(MarkupElement* e, bool* selfClosed) {
    for (;;) {
      bool blank = p_ < end_ && IsBlank(*p_);
      SkipBlanks();
      if (p_ >= end_) return Fail(L"unterminated tag");
      if (*p_ == '>') {
        ++p_;
        *selfClosed = false;
        return true;
      }
      if (StartsWith("/>")) {
        p_ += 2;
        *selfClosed = true;
        return true;
      }
      if (!blank) return Fail(L"blank expected before an attribute");
      MarkupAttribute a;
      if (!Name(&a.name)) return false;
      SkipBlanks();
      if (p_ >= end_ || *p_ != '=') return Fail(L"'=' expected");
      ++p_;
      SkipBlanks();
      if (!AttributeValue(&a.value)) return false;
      e->attributes.push_back(std::move(a));
    }
  }
  // Content up to and including the end tag of e.
  bool Content(MarkupElement* e, int depth) {
    for (;;) {
      while (p_ < end_ && *p_ != '<') ++p_;  // text between elements is not used
      if (p_ >= end_) return Fail(L"missing end tag");
      if (StartsWith("<!--")) {
        if (!Comment()) return false;
      } else if (StartsWith("</")) {
        p_ += 2;
        std::wstring name;
        if (!Name(&name)) return false;
        if (name != e->name) return Fail(L"mismatched end tag");
        SkipBlanks();
        if (p_ >= end_ || *p_ != '>') return Fail(L"'>' expected");
        ++p_;
        return true;
      } else if (StartsWith("<!") || StartsWith("<?")) {
        return Fail(L"unsupported markup");
      } else {
        e->children.emplace_back();
        if (!Element(&e->children.back(), depth + 1)) return false;
      }
    }
  }
  bool Element(MarkupElement* e, int depth) {
    if (depth > CMarkupParser::kMaxDepth) return Fail(L"nesting too deep");
    ++p_;  // '<'
    if (!Name(&e->name)) return false;
    bool selfClosed = false;
    if (!Attributes(e, &selfClosed)) return false;
    return selfClosed || Content(e, depth);
  }

  const char* p_;
  const char* end_;
};

}  // namespace

bool CMarkupParser::Parse(const char* utf8, size_t size, MarkupElement* root, std::wstring* error) {
  *root = MarkupElement();
  if (!utf8 || size > kMaxDocumentSize) {
    if (error) *error = L"document too large";
    return false;
  }
  Reader reader(utf8, size);
  bool ok = reader.Document(root);
  if (!ok) {
    *root = MarkupElement();
    if (error) *error = reader.error;
  }
  return ok;
}

}  // namespace Vellum
