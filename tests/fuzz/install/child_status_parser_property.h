// What must hold for any child output: the same statuses, verdicts and code page
// whether the bytes arrive whole, byte by byte or in random pieces; no text over
// 771 characters; only codes of the chosen table. Shared by the fuzz target and
// the unit test that replays its corpus.
#pragma once
#include <cstddef>
#include <cstdint>

// Input: byte 0 picks the table (even: package, odd: uninstaller), byte 1 seeds
// the piece sizes, the rest is the child's output. False when a property fails.
bool ChildStatusParserHolds(const uint8_t* data, size_t size);
