#pragma once
// What the window layer knows of the keyboard, built only from the key events it pumps (the
// user's and the injected ones alike): which keys are held, the lock states, the modifiers
// and the character each key last wrote.

#include <SDL_keyboard.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace window {

class KeyboardState {
 public:
  // A key went down (auto-repeat included). `reported` are the modifiers SDL gave with the
  // event; events the game made up carry none, and the modifiers then follow from the held
  // keys, with a lock key's state flipping on each new press. Insert's lock flips on each
  // new press either way.
  void press(SDL_Scancode scancode, int32_t virtualKey, std::optional<uint16_t> reported);
  // A key came up; answers the virtual key it went down as, or `virtualKey` when it
  // wasn't held, so a layout switch in between can't leave a key held.
  int32_t release(SDL_Scancode scancode, int32_t virtualKey, std::optional<uint16_t> reported);
  // Everything is let go, as when the window loses the focus; the locks stay.
  void releaseAll();
  void setModifiers(uint16_t modifiers) { modifiers_ = modifiers; }
  uint16_t modifiers() const { return modifiers_; }

  bool isDown(int32_t virtualKey) const;
  bool isToggled(int32_t virtualKey) const;

  // The text the last press of `virtualKey` wrote.
  void rememberText(int32_t virtualKey, std::string_view utf8);
  // The last press of `virtualKey` wrote no text.
  void forgetText(int32_t virtualKey);
  // The character remembered for the key; kNoText when its last press came without text.
  static constexpr int32_t kNoText = -1;
  int32_t rememberedChar(int32_t virtualKey) const;

 private:
  static constexpr int32_t kVirtualKeyCount = 256;

  bool isHeld(SDL_Scancode scancode) const { return heldAs_[size_t(scancode)] != 0; }
  uint16_t heldModifiers() const;
  void deriveModifiers(SDL_Scancode changed, bool newPress);

  // Per position, the virtual key it is held as; 0 when up.
  std::array<int16_t, SDL_NUM_SCANCODES> heldAs_{};
  std::array<int16_t, kVirtualKeyCount> text_ = blankText();
  uint16_t modifiers_ = 0;
  bool insertToggled_ = false;

  static std::array<int16_t, kVirtualKeyCount> blankText() {
    std::array<int16_t, kVirtualKeyCount> blank{};
    blank.fill(kNoText);
    return blank;
  }
};

}  // namespace window
