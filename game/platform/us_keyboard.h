#pragma once
// What each virtual key writes on a US keyboard: the window's stand-in for keys that came
// without text (injected keys, keys held with modifiers) and the whole of the headless
// keyboard's answer.

#include <cstdint>

namespace us_keyboard {

bool isLetterKey(int32_t virtualKey);
bool isDigitKey(int32_t virtualKey);
bool isNumpadDigit(int32_t virtualKey);
bool isNumpadOperator(int32_t virtualKey);

// The unshifted character of `virtualKey`; 0 for keys that write nothing.
char plainCharOf(int32_t virtualKey);
// The character `virtualKey` writes; letters upper case when exactly one of shift and caps
// lock is on; the keypad ignores shift.
char charOf(int32_t virtualKey, bool shift, bool capsLock);

}  // namespace us_keyboard
