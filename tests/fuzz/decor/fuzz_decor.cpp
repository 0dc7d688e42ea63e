// libFuzzer target: shadow pixels and frame names from arbitrary settings.
#include "fuzz/decor/fuzz_decor_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return FuzzDecorInput(data, size); }
