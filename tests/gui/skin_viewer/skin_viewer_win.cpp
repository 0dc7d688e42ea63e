// Shows one skin window so people and tests can look at it.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "gui/support/gui_pump.h"
#include "gui/support/screenshot.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (!argv || argc < 2) {
    ::MessageBoxW(nullptr, L"usage: skin_viewer <markup file> [<screenshot.png>]", L"skin_viewer", MB_OK);
    return 2;
  }
  std::wstring file = argv[1];
  std::wstring shot = argc > 2 ? argv[2] : L"";
  ::LocalFree(argv);
  Vellum::CUIManager::SetInstance(instance);
  GuiTest::RecordingFrame frame(file);
  if (!frame.Open()) return 3;
  if (shot.empty()) {
    frame.ShowModal();
    return 0;
  }
  GuiTest::PumpPending();
  bool saved = GuiTest::SavePng(GuiTest::CaptureWindow(frame.GetHWND()), shot);
  return saved ? 0 : 4;
}
