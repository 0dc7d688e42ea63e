// Reading a child's standard output into a ChildStatusParser: the steps both run
// loops share. All of them run on the runner's worker thread that owns the child.
#pragma once
#include <cstddef>

#include "install/child_status_parser.h"
#include "utils/child_process.h"

namespace ChildOutputPump {

// One read takes at most this many bytes.
constexpr size_t kReadBytes = 1024;

struct ReadResult {
  bool ended = false;  // the output is closed (or failed): nothing more will come
  int verdict = ChildStatusParser::kNoVerdict;
};

// Blocks until the child writes or closes its output, then parses what one read
// gave, up to its first zero byte.
ReadResult ReadChunk(Utils::ChildProcess& child, ChildStatusParser& parser);

// For a child that has exited: whatever it wrote is already in the pipe, so this
// parses what is waiting there without blocking (a grandchild holding the pipe
// open cannot stall it), then the unterminated tail. Returns the last verdict.
int DrainExited(Utils::ChildProcess& child, ChildStatusParser& parser);

// Reads and drops the child's output until it exits, polling every 100 ms, so a
// child that goes on printing after its verdict never blocks on a full pipe.
void DiscardUntilExit(Utils::ChildProcess& child);

}  // namespace ChildOutputPump
