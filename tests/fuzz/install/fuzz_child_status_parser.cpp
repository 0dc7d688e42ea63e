// libFuzzer target: the child status line parser under any output and any read sizes.
#include <cstddef>
#include <cstdint>

#include "child_status_parser_property.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!ChildStatusParserHolds(data, size)) __builtin_trap();
  return 0;
}
