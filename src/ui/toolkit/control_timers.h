// The control timers of one window: records of (control, program id) with the
// native timer number the window's manager gave them. Numbers come from a
// per-window counter that advances as (counter + 1) % 255, passing over numbers
// other records still hold; a stopped timer keeps its record, and starting it
// again reuses its number.
//
// This class only keeps the book; the manager arms and kills the native timers
// as the results say. Owner: the window's manager. Thread: the window's thread.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Vellum {

class CControlUI;

struct TimerRecord {
  CControlUI* control = nullptr;
  uint32_t id = 0;         // the program's id
  uint32_t nativeId = 0;   // the number the native timer was armed with
  bool killed = false;
};

class CControlTimers {
 public:
  enum class StartResult { kArmNew, kRearm, kAlreadyRunning, kNoNumber };
  // Records a start. kArmNew and kRearm: arm the native timer numbered
  // *nativeId; kAlreadyRunning: leave it (a running timer keeps its period);
  // kNoNumber: all 255 numbers belong to records, nothing was recorded.
  StartResult Start(CControlUI* control, uint32_t id, uint32_t* nativeId);
  // Marks the record stopped; false (nothing to kill) when there is none or it
  // is already stopped.
  bool Stop(CControlUI* control, uint32_t id, uint32_t* nativeId);
  // The live record armed with nativeId, or nullptr.
  const TimerRecord* FindLive(uint32_t nativeId) const;
  // Drops every record of the control (it is going away); their native numbers
  // are appended to running when they were still armed.
  void RemoveControl(const CControlUI* control, std::vector<uint32_t>* running);
  // Every running native number, then forgets all records.
  std::vector<uint32_t> Clear();
  size_t Count() const { return records_.size(); }
  const TimerRecord* Find(const CControlUI* control, uint32_t id) const;

 private:
  TimerRecord* FindRecord(const CControlUI* control, uint32_t id);
  bool NumberInUse(uint32_t nativeId) const;
  std::vector<TimerRecord> records_;
  uint32_t counter_ = 0;
};

}  // namespace Vellum
