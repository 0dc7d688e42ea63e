#include "gui/support/real_input.h"

namespace GuiTest {

void TypeCharacter(wchar_t ch) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wScan = in[1].ki.wScan = ch;
  in[0].ki.dwFlags = KEYEVENTF_UNICODE;
  in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
  ::SendInput(2, in, sizeof(INPUT));
}

}  // namespace GuiTest
