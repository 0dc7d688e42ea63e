#include "install/child_output_pump.h"

#include <chrono>
#include <cstring>
#include <thread>

namespace ChildOutputPump {

ReadResult ReadChunk(Utils::ChildProcess& child, ChildStatusParser& parser) {
  char buffer[kReadBytes];
  ReadResult result;
  size_t got = child.ReadOutput(buffer, sizeof(buffer));
  if (got == 0) {
    result.ended = true;
    return result;
  }
  const void* zero = std::memchr(buffer, '\0', got);
  size_t text = zero ? static_cast<size_t>(static_cast<const char*>(zero) - buffer) : got;
  result.verdict = parser.Feed(buffer, text);
  return result;
}

int DrainExited(Utils::ChildProcess& child, ChildStatusParser& parser) {
  int verdict = ChildStatusParser::kNoVerdict;
  while (child.OutputAvailable() > 0) {
    ReadResult r = ReadChunk(child, parser);
    if (r.verdict != ChildStatusParser::kNoVerdict) verdict = r.verdict;
    if (r.ended) break;
  }
  int last = parser.Finish();
  return last != ChildStatusParser::kNoVerdict ? last : verdict;
}

void DiscardUntilExit(Utils::ChildProcess& child) {
  char buffer[kReadBytes];
  while (child.ExitCode() == Utils::ChildProcess::kStillActive) {
    size_t avail = child.OutputAvailable();
    if (avail > 0) {
      child.ReadOutput(buffer, avail < sizeof(buffer) ? avail : sizeof(buffer));
      continue;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

}  // namespace ChildOutputPump
