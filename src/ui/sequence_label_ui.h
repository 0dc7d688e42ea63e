// A label whose background plays a numbered series of images (the picture on the installing page).
// The frame timer is control timer 2100 (see sequence_animation.h).
//
// Owner: the parent container. Thread: the window's thread.
#pragma once
#include <cstdint>
#include <string>

#include "ui/sequence_animation.h"
#include "ui/toolkit/label_ui.h"

namespace Vellum {

class CSequenceLabelUI : public CLabelUI {
 public:
  // Defaults: frame period 30 ms, round trip false, looping, no auto start.
  CSequenceLabelUI();
  // Stops the frame timer.
  ~CSequenceLabelUI() override;

  // "SequenceLabel".
  std::wstring GetClass() const override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;
  void DoInit() override;
  void OnTimer(uint32_t id) override;

  virtual void SetSequencePattern(const std::wstring& pattern);
  virtual std::wstring GetSequencePattern() const;
  virtual void SetSequenceCount(int32_t count);
  virtual int32_t GetSequenceCount() const;
  virtual void SetSequencePeriod(int32_t periodMs);
  virtual int32_t GetSequencePeriod() const;

  // Shows frame 0 next and arms the frame timer.
  void Start();
  void Stop();
  const CSequenceAnimation& GetAnimation() const { return animation_; }

 private:
  CSequenceAnimation animation_;
};

}  // namespace Vellum
