// The toolkit's fuzz entry points, shared by the libFuzzer targets and the unit
// test that replays the kept corpus through them.
#pragma once
#include <cstddef>
#include <cstdint>

// Builds a control tree from the bytes as markup, lays it out and walks it.
int FuzzMarkupInput(const uint8_t* data, size_t size);
// Opens the bytes as a skin package, looks names up and decodes every entry as
// a picture.
int FuzzArchiveInput(const uint8_t* data, size_t size);
