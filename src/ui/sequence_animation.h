// What the two animated controls share: the frame pattern, count, period and
// flags read from markup, and the frame timer (control timer 2100) whose ticks
// set the control's background image to the next numbered frame.
//
// Owner: the control it animates (one per control). Thread: the window's thread.
#pragma once
#include <cstdint>
#include <string>

#include "ui/frame_sequence.h"

namespace Vellum {

class CControlUI;

constexpr uint32_t kSequenceTimerId = 2100;

class CSequenceAnimation {
 public:
  CSequenceAnimation(int32_t defaultPeriodMs, bool defaultRoundTrip)
      : period_(defaultPeriodMs), roundTrip_(defaultRoundTrip) {}

  // Takes "sequencebkimage" (matched exactly) and "sequencecount",
  // "sequencespan", "sequenceloop", "autostart", "sequenceround" (ignoring
  // case); false for any other name, which the control's base then applies.
  bool SetAttribute(const std::wstring& name, const std::wstring& value);

  // Frame 0 next; arms the frame timer with the period.
  void Start(CControlUI& control);
  void Stop(CControlUI& control) const;
  // The control was attached to its window: with auto start the timer is armed
  // and the frame index stays as it is.
  void Init(CControlUI& control) const;
  // One frame timer tick: shows the next frame (background image and a
  // repaint) or ends a sequence that does not loop. Nothing while the pattern
  // is empty.
  void Tick(CControlUI& control);

  const std::wstring& GetPattern() const { return pattern_; }
  void SetPattern(const std::wstring& pattern) { pattern_ = pattern; }
  int32_t GetCount() const { return count_; }
  void SetCount(int32_t count) { count_ = count; }
  int32_t GetPeriod() const { return period_; }
  void SetPeriod(int32_t periodMs) { period_ = periodMs; }
  bool IsLoop() const { return loop_; }
  bool IsAutoStart() const { return autoStart_; }
  bool IsRoundTrip() const { return roundTrip_; }
  const FrameSequenceState& GetState() const { return state_; }

 private:
  std::wstring pattern_;
  int32_t count_ = 0;
  int32_t period_;
  bool loop_ = true;
  bool autoStart_ = false;
  bool roundTrip_;
  FrameSequenceState state_;
};

}  // namespace Vellum
