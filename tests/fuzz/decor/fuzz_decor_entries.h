// The decorations' entry point for fuzzing and for replaying kept inputs.
#pragma once
#include <cstddef>
#include <cstdint>

// Reads shadow settings, a small window outline and a frame pattern from the
// bytes; computes the shadow (and a picture shadow) and the frame names, and
// aborts when a result breaks its contract (sizes, opacity above the
// darkness, names longer than their buffer).
int FuzzDecorInput(const uint8_t* data, size_t size);
