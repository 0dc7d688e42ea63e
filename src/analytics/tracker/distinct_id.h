// New distinct ids for the device identity: a GUID in upper-case hex groups
// without braces, or, when the system gives no GUID after eleven attempts, an id of
// the same shape built from pseudo-random numbers.
#pragma once
#include <functional>
#include <string>

#include "analytics/tracker/system_facts.h"

namespace zorvik {
namespace analytics {

// "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X".
std::string FormatGuid(const system_facts::Guid& guid);
// "%x%x-%x-%x-%x-%x%x%x" over eight values in 0..2147483646; the fourth is cut to
// its low 12 bits plus 0x4000, the fifth taken modulo 0x3fff plus 0x8000.
std::string RandomDistinctId(const int (&values)[8]);

using GuidSource = std::function<bool(system_facts::Guid*)>;
// Asks the source up to 11 times, then falls back to RandomDistinctId over a
// clock-seeded pseudo-random generator.
std::string NewDistinctId(const GuidSource& source = system_facts::CreateGuid);

}  // namespace analytics
}  // namespace zorvik
