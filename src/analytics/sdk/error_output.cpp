#include "analytics/sdk/error_output.h"

#include <cstdio>

namespace zv_analytics {

void WriteError(const std::string& text) {
  // One fwrite holds the stream's lock for the whole message.
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

}  // namespace zv_analytics
