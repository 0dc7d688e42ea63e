#include "ui/toolkit/control_timers.h"

namespace Vellum {

TimerRecord* CControlTimers::FindRecord(const CControlUI* control, uint32_t id) {
  for (auto& r : records_) {
    if (r.control == control && r.id == id) return &r;
  }
  return nullptr;
}

const TimerRecord* CControlTimers::Find(const CControlUI* control, uint32_t id) const {
  return const_cast<CControlTimers*>(this)->FindRecord(control, id);
}

CControlTimers::StartResult CControlTimers::Start(CControlUI* control, uint32_t id, uint32_t* nativeId) {
  if (TimerRecord* r = FindRecord(control, id)) {
    *nativeId = r->nativeId;
    if (!r->killed) return StartResult::kAlreadyRunning;
    r->killed = false;
    return StartResult::kRearm;
  }
  // A number still held by another record (the counter wrapped) would make two
  // timers answer to one native timer: skip it.
  for (int tries = 0; tries < 255; ++tries) {
    counter_ = (counter_ + 1) % 255;
    if (!NumberInUse(counter_)) {
      records_.push_back(TimerRecord{control, id, counter_, false});
      *nativeId = counter_;
      return StartResult::kArmNew;
    }
  }
  return StartResult::kNoNumber;
}

bool CControlTimers::NumberInUse(uint32_t nativeId) const {
  for (const auto& r : records_) {
    if (r.nativeId == nativeId) return true;
  }
  return false;
}

bool CControlTimers::Stop(CControlUI* control, uint32_t id, uint32_t* nativeId) {
  TimerRecord* r = FindRecord(control, id);
  if (!r || r->killed) return false;
  r->killed = true;
  *nativeId = r->nativeId;
  return true;
}

const TimerRecord* CControlTimers::FindLive(uint32_t nativeId) const {
  for (const auto& r : records_) {
    if (r.nativeId == nativeId && !r.killed) return &r;
  }
  return nullptr;
}

void CControlTimers::RemoveControl(const CControlUI* control, std::vector<uint32_t>* running) {
  for (auto it = records_.begin(); it != records_.end();) {
    if (it->control == control) {
      if (!it->killed) running->push_back(it->nativeId);
      it = records_.erase(it);
    } else {
      ++it;
    }
  }
}

std::vector<uint32_t> CControlTimers::Clear() {
  std::vector<uint32_t> running;
  for (const auto& r : records_) {
    if (!r.killed) running.push_back(r.nativeId);
  }
  records_.clear();
  return running;
}

}  // namespace Vellum
