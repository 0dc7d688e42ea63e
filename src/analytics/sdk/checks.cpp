#include "analytics/sdk/checks.h"

#include "analytics/sdk/error_output.h"

namespace zv_analytics {
namespace {

constexpr size_t kMaxIdLength = 255;
constexpr size_t kMaxNameLength = 100;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsNameStart(char c) { return IsLetter(c) || c == '_' || c == '$'; }
bool IsNamePart(char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }

}  // namespace

bool CheckLength(const std::string& value, const std::string& label) {
  if (value.empty()) {
    WriteError("The " + label + " is empty.\n");
    return false;
  }
  if (value.size() > kMaxIdLength) {
    WriteError("The " + label + " is too long, max length is 255.\n");
    return false;
  }
  return true;
}

bool CheckName(const std::string& value, const std::string& label) {
  if (value.empty() || value.size() > kMaxNameLength) {
    WriteError("The " + label + " is empty or too long, max length is 100");
    return false;
  }
  bool valid = IsNameStart(value[0]);
  for (size_t i = 1; valid && i < value.size(); ++i) valid = IsNamePart(value[i]);
  if (!valid) {
    WriteError("The " + label + " need to be a valid variable name.");
    return false;
  }
  return true;
}

}  // namespace zv_analytics
