#pragma once
// Qt key events in the library's terms (internal to the form layer).
#include "platform/forms/types.h"

class QKeyEvent;

// The key code of OnKeyDown, or 0 for keys without one.
WORD VirtualKeyOf(const QKeyEvent& event);
TShiftState ShiftOf(const QKeyEvent& event);
// The character of OnKeyPress (Enter 13, Escape 27, Backspace 8), or 0 when the key types none.
char32_t KeyCharOf(const QKeyEvent& event);
