// libFuzzer target: bytes opened as a skin package.
#include "fuzz/toolkit/fuzz_toolkit_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return FuzzArchiveInput(data, size); }
