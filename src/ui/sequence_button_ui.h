// A button whose background plays a numbered series of images; it also raises "click".
// The frame timer is control timer 2100 (see sequence_animation.h).
//
// Owner: the parent container. Thread: the window's thread.
#pragma once
#include <cstdint>
#include <string>

#include "ui/sequence_animation.h"
#include "ui/toolkit/button_ui.h"

namespace Vellum {

class CSequenceButtonUI : public CButtonUI {
 public:
  // Defaults: frame period 60 ms, round trip true, looping, no auto start.
  CSequenceButtonUI();
  // Stops the frame timer.
  ~CSequenceButtonUI() override;

  // "SequenceButton".
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
