// One input of the tracker's caller-facing checks: bytes split into texts and
// enumeration values, run through the A/B check, the locale split, the text
// conversion and the funnel's catalogue calls. Shared by the fuzz target and the
// corpus replay test of the normal tiers.
#pragma once
#include <cstddef>
#include <cstdint>

// False when a property is broken: something other than a ZvException escaped, a
// converted text is not well-formed UTF-8, or the A/B check accepted a bad label.
bool CheckTrackerInput(const uint8_t* data, size_t size);
