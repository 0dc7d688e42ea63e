// libFuzzer target: markup text through the builder and the layout engine.
#include "fuzz/toolkit/fuzz_toolkit_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return FuzzMarkupInput(data, size); }
