// The acceptance rule for string properties and event texts: well-formed UTF-8
// (no overlong forms, no surrogates, nothing above U+10FFFF) whose one-byte
// characters are tab, line feed, carriage return or printable ASCII.
#pragma once
#include <cstddef>
#include <string>

namespace zv_analytics {

bool IsAcceptedUtf8(const std::string& text);

// The length of the well-formed UTF-8 sequence at text[pos] (1 to 4), any
// one-byte character included; 0 when none starts there.
size_t Utf8SequenceLength(const std::string& text, size_t pos);

}  // namespace zv_analytics
