#include "analytics/sdk/json_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "analytics/sdk/utf8_rule.h"

namespace zv_analytics {
namespace json_text {
namespace {

const char kReplacement[] = "\xEF\xBF\xBD";

// The escapes of the record format; 0 for bytes written as they are.
char ShortEscape(unsigned char b) {
  switch (b) {
    case '\b': return 'b';
    case '\t': return 't';
    case '\n': return 'n';
    case '\f': return 'f';
    case '\r': return 'r';
    case '"': return '"';
    case '\\': return '\\';
    default: return 0;
  }
}

void AppendControl(unsigned char b, std::string* out) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(b));
  out->append(buffer);
}

// Some C runtimes print three exponent digits ("1e+006"); a stream prints at least two.
void TrimExponent(std::string* number) {
  const size_t e = number->find('e');
  if (e == std::string::npos || number->size() < e + 5) return;
  while (number->size() > e + 4 && (*number)[e + 2] == '0') number->erase(e + 2, 1);
}

bool LocalTime(int64_t seconds, std::tm* out) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  if (static_cast<int64_t>(t) != seconds) return false;
#ifdef _WIN32
  return localtime_s(out, &t) == 0;
#else
  return localtime_r(&t, out) != nullptr;
#endif
}

}  // namespace

void AppendString(const std::string& value, std::string* out) {
  out->push_back('"');
  size_t pos = 0;
  while (pos < value.size()) {
    const unsigned char b = static_cast<unsigned char>(value[pos]);
    if (const char e = ShortEscape(b)) {
      out->push_back('\\');
      out->push_back(e);
      ++pos;
    } else if (b < 0x20) {
      AppendControl(b, out);
      ++pos;
    } else if (const size_t length = Utf8SequenceLength(value, pos)) {
      out->append(value, pos, length);
      pos += length;
    } else {
      out->append(kReplacement);
      ++pos;
    }
  }
  out->push_back('"');
}

void AppendNumber(double value, std::string* out) {
  if (!std::isfinite(value)) {
    out->append("null");
    return;
  }
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%g", value);
  std::string number(buffer);
  // A locale with a decimal comma must not leak into the record.
  for (char& c : number) {
    if (c == ',') c = '.';
  }
  TrimExponent(&number);
  out->append(number);
}

void AppendInteger(int64_t value, std::string* out) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
  out->append(buffer);
}

void AppendDateTime(DateTime value, std::string* out) {
  std::tm local;
  std::memset(&local, 0, sizeof local);
  if (!LocalTime(value.seconds, &local)) std::memset(&local, 0, sizeof local);
  char buffer[80];
  std::snprintf(buffer, sizeof buffer, "\"%04d-%02d-%02d %02d:%02d:%02d.%03d\"", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, value.milliseconds);
  out->append(buffer);
}

}  // namespace json_text
}  // namespace zv_analytics
