#pragma once
// The names keys.cfg gives keys, for the virtual keys the window layer produces. Letters,
// digits, F1 to F24 and Numpad0 to Numpad9 are named by what is printed on them; the other
// keys by a plain word ("Grave" is the key left of "1", "Equals" the key left of Backspace).
// Names are read without regard to letter case.

#include <cstdint>
#include <string>
#include <string_view>

namespace key_names {

// The virtual key called `name`; 0 when no key is.
int32_t virtualKeyOf(std::string_view name);
// The name keys.cfg writes for `virtualKey` ("Return" rather than "Enter"); empty for a key
// without a name.
std::string nameOf(int32_t virtualKey);

}  // namespace key_names
