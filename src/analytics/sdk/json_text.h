// The compact JSON text of the value nodes: no blanks, no line breaks. Strings
// keep their bytes except \b \t \n \f \r \" \\ (escaped as such); numbers are
// printed like a default-formatted stream ("%g", 6 significant digits); DateTime
// values as quoted local time with milliseconds.
//
// So that every text parses, the writer also guards what the input checks cannot
// reach: other control bytes (possible only in keys and list items) become \u00XX,
// bytes that are not UTF-8 become U+FFFD, and a number that is not finite is null.
#pragma once
#include <cstdint>
#include <string>

#include "analytics/sdk/value_node.h"

namespace zv_analytics {
namespace json_text {

void AppendString(const std::string& value, std::string* out);
void AppendNumber(double value, std::string* out);
void AppendInteger(int64_t value, std::string* out);
void AppendDateTime(DateTime value, std::string* out);

}  // namespace json_text
}  // namespace zv_analytics
