// libFuzzer target: SetString's UTF-8 rule against an independent statement of it,
// and the JSON writer, whose every output must parse as strict JSON.
#include <cstdio>
#include <cstdlib>

#include "fuzz/analytics/json_writer_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string problem = JsonWriterFuzz::Run(data, size);
  if (!problem.empty()) {
    std::fprintf(stderr, "json writer fuzz: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
