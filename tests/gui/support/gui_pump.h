// Message pumping for GUI tests: run the thread's messages until a condition
// holds or a deadline passes, and a skinned window that records what it is
// told.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/toolkit/skin_frame.h"

namespace GuiTest {

// Dispatches messages (as the toolkit's modal loop does) until done() is true;
// false when timeoutMs passed first.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Dispatches what is queued now and the paints it causes.
void PumpPending();

struct Recorded {
  std::wstring type;
  std::wstring sender;
  uint32_t wParam = 0;
  uint32_t lParam = 0;
  DWORD threadId = 0;
};

// A CSkinFrame for one markup file that keeps every notification it receives.
class RecordingFrame : public Vellum::CSkinFrame {
 public:
  explicit RecordingFrame(const std::wstring& skinFile);
  void Notify(Vellum::NotifyEvent& msg) override;
  // Parks the pointer at the screen's corner, creates the window (style as the
  // installer passes), centres and shows it, brings it to the front and
  // dispatches its first paint.
  bool Open();
  int Count(const std::wstring& type, const std::wstring& sender = std::wstring()) const;
  std::vector<Recorded> events;
  // Called for every notification after it is recorded (may close the window).
  std::function<void(const Recorded&)> onEvent;
};

}  // namespace GuiTest
