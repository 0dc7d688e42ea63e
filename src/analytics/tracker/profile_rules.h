// How each profile property the tracker knows is updated on the collection side
// (set, set once, add to, append to a list), and the typed calls that turn a value
// into the matching profile record. A value whose type does not fit its key's
// rule, or a key without a rule, is refused with a ZvException.
// Thread-safe: the rule table is built once and only read.
#pragma once
#include <cstdint>
#include <string>

namespace zorvik {
namespace analytics {

enum class ProfileRule : int { None = 0, SetOnce = 1, Add = 2, Set = 3, Append = 4 };

ProfileRule ProfileRuleFor(const std::string& key);

void ProfileUserPropertyString(const std::string& key, const std::string& value);
void ProfileUserPropertyNumber(const std::string& key, int32_t value);
void ProfileUserPropertyNumber(const std::string& key, double value);
// time: milliseconds from 157789440000 up, seconds below.
void ProfileUserPropertyDateTime(const std::string& key, int64_t time);

}  // namespace analytics
}  // namespace zorvik
