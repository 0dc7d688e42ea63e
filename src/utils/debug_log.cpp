// Portable part of the diagnostic log: the line format and the function tag.
#include "utils/debug_log.h"

#include <cwchar>
#include <vector>

namespace Utils {

namespace {

// Index of the bracket that closes the one at open, or npos.
size_t Closing(const std::string& s, size_t open) {
  int depth = 0;
  for (size_t i = open; i < s.size(); ++i) {
    if (s[i] == '(' || s[i] == '<' || s[i] == '[') ++depth;
    else if ((s[i] == ')' || s[i] == '>' || s[i] == ']') && --depth == 0) return i;
  }
  return std::string::npos;
}

bool IsOperatorCall(const std::string& s, size_t i) {
  return i >= 8 && s.compare(i - 8, 8, "operator") == 0 && i + 1 < s.size() && s[i + 1] == ')';
}

}  // namespace

std::string FunctionTag(const char* pretty) {
  // "ret ns::Cls::Fn(args) const" -> "ns::Cls::Fn". The parameter list is the first
  // top-level "(...)" not followed by "::" (a lambda's enclosing function is part of
  // its name: "Cls::Fn(args)::<lambda(int)>").
  std::string s(pretty ? pretty : "");
  size_t params = std::string::npos;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '<' || s[i] == '[') {
      size_t close = Closing(s, i);
      if (close == std::string::npos) break;
      i = close;
    } else if (s[i] == '(') {
      if (IsOperatorCall(s, i)) { ++i; continue; }
      size_t close = Closing(s, i);
      if (close == std::string::npos) break;
      if (s.compare(close + 1, 2, "::") != 0) { params = i; break; }
      i = close;
    }
  }
  std::string head = s.substr(0, params);
  // The return type ends at the last top-level blank before the name.
  int depth = 0;
  size_t start = 0;
  for (size_t i = head.size(); i-- > 0;) {
    char c = head[i];
    if (c == '>' || c == ']' || c == ')') ++depth;
    else if ((c == '<' || c == '[' || c == '(') && depth > 0) --depth;
    else if (c == ' ' && depth == 0) { start = i + 1; break; }
  }
  return head.substr(start);
}

static std::wstring WidenAscii(const char* text) {
  std::wstring out;
  for (const char* p = text; *p; ++p) out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*p)));
  return out;
}

// vswprintf reports truncation only by failing, so the buffer grows until it fits.
static bool FormatInto(std::wstring& out, const wchar_t* format, va_list args) {
  for (size_t size = 256; size <= (1u << 24); size *= 2) {
    std::vector<wchar_t> buf(size + 2);
    va_list copy;
    va_copy(copy, args);
    int n = std::vswprintf(buf.data(), size, format, copy);
    va_end(copy);
    if (n >= 0) {
      out.append(buf.data(), static_cast<size_t>(n));
      return true;
    }
  }
  return false;
}

static bool FormatPrefix(std::wstring& out, const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  bool ok = FormatInto(out, format, args);
  va_end(args);
  return ok;
}

std::wstring FormatLogLine(const LogStamp& st, const char* tag, int line, const wchar_t* format,
                           va_list args) {
  std::wstring out;
  std::wstring wideTag = WidenAscii(tag ? tag : "");
  if (!FormatPrefix(out, L"<P%05u><T%05u><%04d-%02d-%02d %02d:%02d:%02d.%03d>(%ls)<%04d>: ",
                    static_cast<unsigned>(st.processId), static_cast<unsigned>(st.threadId), st.year,
                    st.month, st.day, st.hour, st.minute, st.second, st.millisecond, wideTag.c_str(),
                    line))
    return std::wstring();
  if (!FormatInto(out, format ? format : L"", args)) return std::wstring();
  return out;
}

}  // namespace Utils
