// The length and name checks of ids, event names and property keys. A failed
// check writes its message to standard error (the label names what was checked)
// and returns false.
#pragma once
#include <string>

namespace zv_analytics {

// Ids: not empty, at most 255 bytes. Messages end with a line break.
bool CheckLength(const std::string& value, const std::string& label);
// Names: 1 to 100 bytes, a letter, "_" or "$" first, then letters, digits, "_" or
// "$". Messages end without a line break.
bool CheckName(const std::string& value, const std::string& label);

}  // namespace zv_analytics
