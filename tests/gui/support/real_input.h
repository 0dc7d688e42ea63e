// Keyboard input through the system's input path, as a user's typing arrives.
#pragma once
#include <windows.h>

namespace GuiTest {

// Types one character into the focused window as a Unicode key press and
// release, whatever the keyboard layout.
void TypeCharacter(wchar_t ch);

}  // namespace GuiTest
