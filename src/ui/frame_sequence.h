// The frame stepping of the animated controls: which numbered frame a tick
// shows, whether the sequence turns (round trip) or ends (no loop), and the
// frame file name formed from the control's pattern.
//
// Pure functions, no shared state; any thread.
#pragma once
#include <cstdint>
#include <string>

namespace Vellum {

struct FrameSequenceState {
  bool forward = true;  // current direction
  uint32_t index = 0;   // the next frame to show
};

struct FrameStep {
  bool show = false;   // a frame is shown at this tick
  uint32_t frame = 0;  // its number (when show)
  bool stop = false;   // the sequence has ended: its timer must stop
};

// One tick of a sequence of count frames. Index comparisons are unsigned, as
// the index is: a count of 0 never runs past its end, and a round trip of fewer
// than two frames runs the index below zero (frames that do not exist).
FrameStep StepFrameSequence(FrameSequenceState& state, int32_t count, bool loop, bool roundTrip);

// The longest frame name, in characters (the name buffer holds 260 with its end).
constexpr size_t kMaxFrameName = 259;

// Formats the pattern with the frame number as printf would with one integer
// conversion ("%.3d" gives "000", "001", ...; flags, width, precision and the
// conversions d, i, u, x, X, o are understood, "%%" is a percent sign). The
// pattern comes from markup, so it is never handed to printf: a pattern with a
// second conversion or one of another kind gives false and an empty name. The
// result is cut at kMaxFrameName characters.
bool FormatFrameName(const std::wstring& pattern, uint32_t frame, std::wstring* name);

}  // namespace Vellum
