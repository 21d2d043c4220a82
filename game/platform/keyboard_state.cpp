#include "game/platform/keyboard_state.h"

#include <algorithm>

#include "game/platform/key_translation.h"
#include "game/platform/virtual_keys.h"

namespace window {
namespace {

constexpr uint16_t kLockModifiers = KMOD_CAPS | KMOD_NUM | KMOD_SCROLL;

struct ModifierKey {
  SDL_Scancode scancode;
  uint16_t modifier;
};

constexpr std::array kModifierKeys{
    ModifierKey{SDL_SCANCODE_LSHIFT, KMOD_LSHIFT}, ModifierKey{SDL_SCANCODE_RSHIFT, KMOD_RSHIFT},
    ModifierKey{SDL_SCANCODE_LCTRL, KMOD_LCTRL},   ModifierKey{SDL_SCANCODE_RCTRL, KMOD_RCTRL},
    ModifierKey{SDL_SCANCODE_LALT, KMOD_LALT},     ModifierKey{SDL_SCANCODE_RALT, KMOD_RALT},
    ModifierKey{SDL_SCANCODE_LGUI, KMOD_LGUI},     ModifierKey{SDL_SCANCODE_RGUI, KMOD_RGUI},
};

constexpr std::array kLockKeys{
    ModifierKey{SDL_SCANCODE_CAPSLOCK, KMOD_CAPS},
    ModifierKey{SDL_SCANCODE_NUMLOCKCLEAR, KMOD_NUM},
    ModifierKey{SDL_SCANCODE_SCROLLLOCK, KMOD_SCROLL},
};

bool isValidPosition(SDL_Scancode scancode) {
  return scancode > SDL_SCANCODE_UNKNOWN && scancode < SDL_NUM_SCANCODES;
}

bool isValidKey(int32_t virtualKey, int32_t count) {
  return virtualKey > 0 && virtualKey < count;
}

}  // namespace

void KeyboardState::press(SDL_Scancode scancode, int32_t virtualKey,
                          std::optional<uint16_t> reported) {
  if (!isValidPosition(scancode) || !isValidKey(virtualKey, kVirtualKeyCount)) {
    if (reported) modifiers_ = *reported;
    return;
  }
  const bool newPress = !isHeld(scancode);
  if (virtualKey == vk::kInsert && newPress) insertToggled_ = !insertToggled_;
  heldAs_[size_t(scancode)] = int16_t(virtualKey);
  if (reported) {
    modifiers_ = *reported;
  } else {
    deriveModifiers(scancode, newPress);
  }
}

int32_t KeyboardState::release(SDL_Scancode scancode, int32_t virtualKey,
                               std::optional<uint16_t> reported) {
  int32_t heldAs = 0;
  if (isValidPosition(scancode)) {
    heldAs = heldAs_[size_t(scancode)];
    heldAs_[size_t(scancode)] = 0;
  }
  if (reported) {
    modifiers_ = *reported;
  } else {
    deriveModifiers(scancode, false);
  }
  return heldAs != 0 ? heldAs : virtualKey;
}

void KeyboardState::releaseAll() {
  heldAs_.fill(0);
  modifiers_ &= kLockModifiers;
}

uint16_t KeyboardState::heldModifiers() const {
  uint16_t held = 0;
  for (const ModifierKey& key : kModifierKeys) {
    if (isHeld(key.scancode)) held |= key.modifier;
  }
  return held;
}

void KeyboardState::deriveModifiers(SDL_Scancode changed, bool newPress) {
  uint16_t locks = modifiers_ & kLockModifiers;
  for (const ModifierKey& lock : kLockKeys) {
    if (newPress && lock.scancode == changed) locks ^= lock.modifier;
  }
  modifiers_ = uint16_t(locks | heldModifiers());
}

bool KeyboardState::isDown(int32_t virtualKey) const {
  if (!isValidKey(virtualKey, kVirtualKeyCount)) return false;
  return std::find(heldAs_.begin(), heldAs_.end(), int16_t(virtualKey)) != heldAs_.end();
}

bool KeyboardState::isToggled(int32_t virtualKey) const {
  switch (virtualKey) {
    case vk::kInsert: return insertToggled_;
    case vk::kCapsLock: return (modifiers_ & KMOD_CAPS) != 0;
    case vk::kNumLock: return (modifiers_ & KMOD_NUM) != 0;
    case vk::kScrollLock: return (modifiers_ & KMOD_SCROLL) != 0;
    default: return false;
  }
}

void KeyboardState::rememberText(int32_t virtualKey, std::string_view utf8) {
  if (!isValidKey(virtualKey, kVirtualKeyCount)) return;
  text_[size_t(virtualKey)] = int16_t(static_cast<unsigned char>(keys::charOfText(utf8)));
}

void KeyboardState::forgetText(int32_t virtualKey) {
  if (isValidKey(virtualKey, kVirtualKeyCount)) text_[size_t(virtualKey)] = kNoText;
}

int32_t KeyboardState::rememberedChar(int32_t virtualKey) const {
  if (!isValidKey(virtualKey, kVirtualKeyCount)) return kNoText;
  return text_[size_t(virtualKey)];
}

}  // namespace window
