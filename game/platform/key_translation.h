#pragma once
// Translation between SDL's key events and the Windows virtual-key codes the game speaks.
// Letters follow the user's layout (the key that writes "a" is 'A'), every other key goes by
// its position, so the key left of "1" is the console key on every layout.

#include <SDL_keyboard.h>

#include <cstdint>
#include <string_view>

namespace window::keys {

// The virtual key of an SDL key event; 0 for keys the game has no code for.
int32_t virtualKeyOf(SDL_Scancode scancode, SDL_Keycode keycode);
// The same for a key pressed on the desktop's keyboard: with Num Lock off the keypad's
// digits and point are the navigation keys printed beneath them (8 is Up, 0 Insert, 5 Clear).
int32_t virtualKeyOf(SDL_Scancode scancode, SDL_Keycode keycode, bool numLock);
// The key position that gives `virtualKey` on a US keyboard; unknown when none does.
SDL_Scancode scancodeOf(int32_t virtualKey);
// The keycode a US layout reports for `virtualKey`, for events made up by the game.
SDL_Keycode usKeycodeOf(int32_t virtualKey);
// The character `virtualKey` writes on a US layout; letters upper case when exactly one of
// shift and caps lock is on. 0 for keys that write nothing.
char usCharOf(int32_t virtualKey, bool shift, bool capsLock);
// The character of a key that came without text: the layout's own character for letters and
// unshifted keys (`layoutKey`, SDL's keycode at the key's position), the US shifted one
// otherwise, nothing while control alone is held.
char fallbackCharOf(int32_t virtualKey, uint16_t modifiers, SDL_Keycode layoutKey);
// The text of one typed character as a character of the game's 8-bit font (code points up
// to 255); 0 when the text is empty, invalid or holds more than one character.
char charOfText(std::string_view utf8);

}  // namespace window::keys
