// The analytics layer reports rejections only as text on standard error; this is
// the one place that writes it, so messages from several threads never interleave.
#pragma once
#include <string>

namespace zv_analytics {

// Writes the text as it is (no line break added) and flushes. Thread-safe.
void WriteError(const std::string& text);

}  // namespace zv_analytics
