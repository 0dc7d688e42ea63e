// The "_track_id" of a record: two random parts and the low digits of the clock,
// joined as decimal text and read back as one number (0 to 989989999).
#pragma once
#include <cstdint>

namespace zv_analytics {

// The id made of the given parts: the last 2 digits of (r1 mod 99 + 100), the last
// 3 of (r2 mod 999 + 1000) and the last 4 of the Unix time in milliseconds.
int64_t TrackIdFrom(int r1, int r2, int64_t unixMilliseconds);
// The same with two values of the C library generator and the current time.
int64_t NewTrackId();
// Milliseconds since 1970-01-01 00:00 UTC.
int64_t UnixMilliseconds();

}  // namespace zv_analytics
