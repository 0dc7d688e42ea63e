// What a window shows on the screen, as 32-bit pixels, and a PNG writer for
// keeping it as a test artifact.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace GuiTest {

struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows from the top
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] & 0xFFFFFF; }
};

// Copies the window's rectangle from the screen (so it is what the display
// shows, not the toolkit's own buffer). Empty on failure.
Screenshot CaptureWindow(HWND hwnd);
// Writes an RGB PNG; false when the file cannot be written.
bool SavePng(const Screenshot& shot, const std::wstring& path);
// The folder screenshots go to (QZ_SCREENSHOTS), created if missing; empty when unset.
std::wstring ScreenshotDir();

}  // namespace GuiTest
