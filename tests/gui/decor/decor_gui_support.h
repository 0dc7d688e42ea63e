// Helpers of the decoration GUI tests: real mouse input, a script of steps
// that runs inside whatever loop dispatches the thread's messages (a nested
// modal loop included), and the owner window that records posted messages.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/support/gui_pump.h"
#include "gui/support/screenshot.h"
#include "ui/message_box_wnd.h"

namespace DecorTest {

// Moves the mouse to a screen point and presses and releases the left button
// there, through the system's input path.
void ClickAt(POINT screen);
// The screen point at the centre of a control of a window.
POINT CenterOf(HWND hwnd, const Vellum::CControlUI* control);

// The visible prompt dialog of that class, or nullptr.
Vellum::CMessageBoxWnd* FindDialog(const std::wstring& className);

// Runs the steps one after another from a thread timer every 20 ms: a step
// returning false runs again at the next tick. After timeoutMs the script gives
// up (TimedOut) and closes every window of the dialog class so that a modal
// loop under test still ends.
class ModalScript {
 public:
  ModalScript(std::wstring dialogClass, std::vector<std::function<bool()>> steps, DWORD timeoutMs = 15000);
  ~ModalScript();
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;
  bool Finished() const { return next_ >= steps_.size(); }
  bool TimedOut() const { return timedOut_; }
  size_t StepReached() const { return next_; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  void Tick();
  std::wstring dialogClass_;
  std::vector<std::function<bool()>> steps_;
  size_t next_ = 0;
  DWORD start_;
  DWORD timeoutMs_;
  bool timedOut_ = false;
  bool running_ = false;
  UINT_PTR timer_ = 0;
};

// The installer's status message number, which the owner records.
constexpr UINT kStatusMessage = WM_USER + 1000;
// A marker the tests post to learn that what was posted before it has been handled.
constexpr UINT kMarkerMessage = WM_USER + 1001;

// A skinned owner window that records every status message and marker it handles.
class OwnerWindow : public GuiTest::RecordingFrame {
 public:
  OwnerWindow() : RecordingFrame(L"mainWnd.xml") {}
  struct Handled {
    UINT msg;
    WPARAM wParam;
    bool dialogAlive;  // a window of watchedDialog existed while it was handled
  };
  std::vector<Handled> handled;
  std::wstring watchedDialog;

 protected:
  LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handledFlag) override;
};

// A window with its drop shadow, three ways: the screen as it shows them
// (wine under Xvfb puts a layered window's pixels on the screen unblended, over
// black), the screen beneath with the shadow hidden, and that with the
// shadow's pixels blended over it per pixel as a compositing desktop shows
// them. All cover the shadow window's rectangle.
struct ShadowShots {
  GuiTest::Screenshot shown, beneath, composited;
  POINT window = {};  // the window's top-left corner within the pictures
  bool ok = false;    // false when hiding the shadow never changed the screen
};
ShadowShots CaptureWithShadow(HWND window, const Vellum::CDropShadow& shadow);

// Saves a picture as <screenshots>/<name>.png; false when there is no
// screenshot folder or the file cannot be written.
bool SaveScreenshot(const GuiTest::Screenshot& shot, const std::wstring& name);

}  // namespace DecorTest
