#include "analytics/tracker/distinct_id.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>

namespace zorvik {
namespace analytics {

std::string FormatGuid(const system_facts::Guid& g) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", static_cast<unsigned>(g.data1),
                unsigned{g.data2}, unsigned{g.data3}, unsigned{g.data4[0]}, unsigned{g.data4[1]},
                unsigned{g.data4[2]}, unsigned{g.data4[3]}, unsigned{g.data4[4]}, unsigned{g.data4[5]},
                unsigned{g.data4[6]}, unsigned{g.data4[7]});
  return buf;
}

std::string RandomDistinctId(const int (&v)[8]) {
  char buf[128];
  std::snprintf(buf, sizeof buf, "%x%x-%x-%x-%x-%x%x%x", static_cast<unsigned>(v[0]), static_cast<unsigned>(v[1]),
                static_cast<unsigned>(v[2]), static_cast<unsigned>((v[3] & 0x0fff) + 0x4000),
                static_cast<unsigned>(v[4] % 0x3fff + 0x8000), static_cast<unsigned>(v[5]),
                static_cast<unsigned>(v[6]), static_cast<unsigned>(v[7]));
  return buf;
}

std::string NewDistinctId(const GuidSource& source) {
  system_facts::Guid guid{};
  for (int attempt = 0; attempt < 11; ++attempt)
    if (source(&guid)) return FormatGuid(guid);
  // A generator of our own, seeded from the clocks: the C library's generator is
  // not seeded yet when the identity is loaded, and would give every machine the same id.
  const auto seed = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) ^
                    static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  std::mt19937 generator(static_cast<std::mt19937::result_type>(seed ^ (seed >> 32)));
  std::uniform_int_distribution<int> draw(0, 2147483646);
  int values[8];
  for (int& v : values) v = draw(generator);
  return RandomDistinctId(values);
}

}  // namespace analytics
}  // namespace zorvik
