// The peak resident memory of this process, in KiB (0 when unknown).
#pragma once
#include <cstdint>

int64_t PeakResidentKib();
