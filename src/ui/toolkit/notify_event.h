// One notification of the toolkit ("click", "selectchanged", "tabselect",
// "timer", or a type the program raises itself).
#pragma once
#include <cstdint>
#include <string>

#include "ui/toolkit/geometry.h"

namespace Vellum {

class CControlUI;

struct NotifyEvent {
  std::wstring type;
  std::wstring virtualWindow;  // sub-handler name; empty in this program
  CControlUI* sender = nullptr;
  uint32_t timestamp = 0;      // tick count when raised
  Point mousePoint;            // last mouse position known to the manager
  uint32_t wParam = 0;
  uint32_t lParam = 0;
};

}  // namespace Vellum
