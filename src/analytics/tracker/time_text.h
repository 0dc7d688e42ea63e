// Times handed to the tracker as one signed 64-bit count: from 157789440000 up it
// counts milliseconds since 1970-01-01 UTC, below that seconds.
#pragma once
#include <cstdint>
#include <string>

#include "analytics/sdk/value_node.h"

namespace zorvik {
namespace analytics {

constexpr int64_t kMillisecondCountFrom = 157789440000LL;

// The count as seconds and milliseconds.
zv_analytics::DateTime DateTimeFromCount(int64_t count);
// The count as local time, "%04d-%02d-%02d %02d:%02d:%02d.%03d"; empty when the
// C library cannot convert it.
std::string LocalTimeText(int64_t count);

}  // namespace analytics
}  // namespace zorvik
