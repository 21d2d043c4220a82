#include "game/platform/key_translation.h"

#include <array>

#include "game/platform/us_keyboard.h"
#include "game/platform/virtual_keys.h"

namespace window::keys {
namespace {

using us_keyboard::isDigitKey;
using us_keyboard::isLetterKey;
using us_keyboard::isNumpadDigit;
using us_keyboard::isNumpadOperator;

struct KeyPair {
  SDL_Scancode scancode;
  int32_t virtualKey;
};

// Every key but letters and digits, by position. The first entry for a virtual key is the
// position injected events use.
constexpr std::array kPositionKeys{
    KeyPair{SDL_SCANCODE_RETURN, vk::kReturn},
    KeyPair{SDL_SCANCODE_ESCAPE, vk::kEscape},
    KeyPair{SDL_SCANCODE_BACKSPACE, vk::kBackspace},
    KeyPair{SDL_SCANCODE_TAB, vk::kTab},
    KeyPair{SDL_SCANCODE_SPACE, vk::kSpace},
    KeyPair{SDL_SCANCODE_MINUS, vk::kOemMinus},
    KeyPair{SDL_SCANCODE_EQUALS, vk::kOemPlus},
    KeyPair{SDL_SCANCODE_LEFTBRACKET, vk::kOemOpenBracket},
    KeyPair{SDL_SCANCODE_RIGHTBRACKET, vk::kOemCloseBracket},
    KeyPair{SDL_SCANCODE_BACKSLASH, vk::kOemBackslash},
    KeyPair{SDL_SCANCODE_NONUSHASH, vk::kOemBackslash},
    KeyPair{SDL_SCANCODE_SEMICOLON, vk::kOemSemicolon},
    KeyPair{SDL_SCANCODE_APOSTROPHE, vk::kOemQuote},
    KeyPair{SDL_SCANCODE_GRAVE, vk::kConsoleToggle},
    KeyPair{SDL_SCANCODE_COMMA, vk::kOemComma},
    KeyPair{SDL_SCANCODE_PERIOD, vk::kOemPeriod},
    KeyPair{SDL_SCANCODE_SLASH, vk::kOemSlash},
    KeyPair{SDL_SCANCODE_NONUSBACKSLASH, vk::kOem102},
    KeyPair{SDL_SCANCODE_CAPSLOCK, vk::kCapsLock},
    KeyPair{SDL_SCANCODE_PRINTSCREEN, vk::kSnapshot},
    KeyPair{SDL_SCANCODE_SCROLLLOCK, vk::kScrollLock},
    KeyPair{SDL_SCANCODE_PAUSE, vk::kPause},
    KeyPair{SDL_SCANCODE_INSERT, vk::kInsert},
    KeyPair{SDL_SCANCODE_HOME, vk::kHome},
    KeyPair{SDL_SCANCODE_PAGEUP, vk::kPageUp},
    KeyPair{SDL_SCANCODE_DELETE, vk::kDelete},
    KeyPair{SDL_SCANCODE_END, vk::kEnd},
    KeyPair{SDL_SCANCODE_PAGEDOWN, vk::kPageDown},
    KeyPair{SDL_SCANCODE_RIGHT, vk::kRight},
    KeyPair{SDL_SCANCODE_LEFT, vk::kLeft},
    KeyPair{SDL_SCANCODE_DOWN, vk::kDown},
    KeyPair{SDL_SCANCODE_UP, vk::kUp},
    KeyPair{SDL_SCANCODE_NUMLOCKCLEAR, vk::kNumLock},
    KeyPair{SDL_SCANCODE_KP_DIVIDE, vk::kDivide},
    KeyPair{SDL_SCANCODE_KP_MULTIPLY, vk::kMultiply},
    KeyPair{SDL_SCANCODE_KP_MINUS, vk::kSubtract},
    KeyPair{SDL_SCANCODE_KP_PLUS, vk::kAdd},
    KeyPair{SDL_SCANCODE_KP_ENTER, vk::kReturn},
    KeyPair{SDL_SCANCODE_KP_PERIOD, vk::kDecimal},
    KeyPair{SDL_SCANCODE_LSHIFT, vk::kShift},
    KeyPair{SDL_SCANCODE_RSHIFT, vk::kShift},
    KeyPair{SDL_SCANCODE_LCTRL, vk::kControl},
    KeyPair{SDL_SCANCODE_RCTRL, vk::kControl},
    KeyPair{SDL_SCANCODE_LALT, vk::kAlt},
    KeyPair{SDL_SCANCODE_RALT, vk::kAlt},
    KeyPair{SDL_SCANCODE_LGUI, vk::kLeftWindows},
    KeyPair{SDL_SCANCODE_RGUI, vk::kRightWindows},
    KeyPair{SDL_SCANCODE_APPLICATION, vk::kApplications},
};

constexpr int32_t kFunctionKeyCount = 12;

// The keypad 5 without Num Lock.
constexpr int32_t kClear = 12;

// The keypad's 1 to 9, 0 and point without Num Lock, in scancode order.
constexpr std::array kKeypadNavigation{vk::kEnd,    vk::kDown,   vk::kPageDown, vk::kLeft,
                                       kClear,      vk::kRight,  vk::kHome,     vk::kUp,
                                       vk::kPageUp, vk::kInsert, vk::kDelete};

// Scancodes run a..z, then 1..9, 0, and F1..F12, F13..F24 in two separate runs.
int32_t virtualKeyOfRun(SDL_Scancode scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
    return 'A' + (scancode - SDL_SCANCODE_A);
  }
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
    return '1' + (scancode - SDL_SCANCODE_1);
  }
  if (scancode == SDL_SCANCODE_0) return '0';
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
    return vk::kF1 + (scancode - SDL_SCANCODE_F1);
  }
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) {
    return vk::kF1 + kFunctionKeyCount + (scancode - SDL_SCANCODE_F13);
  }
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) {
    return vk::kNumpad0 + 1 + (scancode - SDL_SCANCODE_KP_1);
  }
  if (scancode == SDL_SCANCODE_KP_0) return vk::kNumpad0;
  return 0;
}

int32_t virtualKeyOfPosition(SDL_Scancode scancode) {
  if (const int32_t inRun = virtualKeyOfRun(scancode)) return inRun;
  for (const KeyPair& pair : kPositionKeys) {
    if (pair.scancode == scancode) return pair.virtualKey;
  }
  return 0;
}

SDL_Scancode scancodeOfRun(int32_t virtualKey) {
  if (isLetterKey(virtualKey)) return SDL_Scancode(SDL_SCANCODE_A + (virtualKey - 'A'));
  if (virtualKey == '0') return SDL_SCANCODE_0;
  if (isDigitKey(virtualKey)) return SDL_Scancode(SDL_SCANCODE_1 + (virtualKey - '1'));
  if (virtualKey >= vk::kF1 && virtualKey < vk::kF1 + kFunctionKeyCount) {
    return SDL_Scancode(SDL_SCANCODE_F1 + (virtualKey - vk::kF1));
  }
  if (virtualKey >= vk::kF1 + kFunctionKeyCount && virtualKey < vk::kF1 + 2 * kFunctionKeyCount) {
    return SDL_Scancode(SDL_SCANCODE_F13 + (virtualKey - vk::kF1 - kFunctionKeyCount));
  }
  if (virtualKey == vk::kNumpad0) return SDL_SCANCODE_KP_0;
  if (isNumpadDigit(virtualKey)) {
    return SDL_Scancode(SDL_SCANCODE_KP_1 + (virtualKey - vk::kNumpad0 - 1));
  }
  return SDL_SCANCODE_UNKNOWN;
}

}  // namespace

int32_t virtualKeyOf(SDL_Scancode scancode, SDL_Keycode keycode) {
  if (keycode >= SDLK_a && keycode <= SDLK_z) return 'A' + (keycode - SDLK_a);
  if (const int32_t byPosition = virtualKeyOfPosition(scancode)) return byPosition;
  // Events without a position (some virtual keyboards) still name the key.
  return virtualKeyOfPosition(SDL_GetScancodeFromKey(keycode));
}

int32_t virtualKeyOf(SDL_Scancode scancode, SDL_Keycode keycode, bool numLock) {
  if (!numLock && scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_PERIOD) {
    return kKeypadNavigation[size_t(scancode - SDL_SCANCODE_KP_1)];
  }
  return virtualKeyOf(scancode, keycode);
}

SDL_Scancode scancodeOf(int32_t virtualKey) {
  if (const SDL_Scancode inRun = scancodeOfRun(virtualKey); inRun != SDL_SCANCODE_UNKNOWN) {
    return inRun;
  }
  if (virtualKey == vk::kOemBacktick) return SDL_SCANCODE_GRAVE;
  for (const KeyPair& pair : kPositionKeys) {
    if (pair.virtualKey == virtualKey) return pair.scancode;
  }
  return SDL_SCANCODE_UNKNOWN;
}

SDL_Keycode usKeycodeOf(int32_t virtualKey) {
  if (isNumpadDigit(virtualKey) || isNumpadOperator(virtualKey)) {
    return SDL_SCANCODE_TO_KEYCODE(scancodeOf(virtualKey));
  }
  if (const char c = us_keyboard::plainCharOf(virtualKey)) return SDL_Keycode(c);
  const SDL_Scancode scancode = scancodeOf(virtualKey);
  if (scancode == SDL_SCANCODE_RETURN) return SDLK_RETURN;
  if (scancode == SDL_SCANCODE_ESCAPE) return SDLK_ESCAPE;
  if (scancode == SDL_SCANCODE_BACKSPACE) return SDLK_BACKSPACE;
  if (scancode == SDL_SCANCODE_TAB) return SDLK_TAB;
  return scancode == SDL_SCANCODE_UNKNOWN ? SDLK_UNKNOWN : SDL_SCANCODE_TO_KEYCODE(scancode);
}

char usCharOf(int32_t virtualKey, bool shift, bool capsLock) {
  return us_keyboard::charOf(virtualKey, shift, capsLock);
}

char fallbackCharOf(int32_t virtualKey, uint16_t modifiers, SDL_Keycode layoutKey) {
  const bool shift = (modifiers & KMOD_SHIFT) != 0;
  const bool caps = (modifiers & KMOD_CAPS) != 0;
  if ((modifiers & KMOD_CTRL) != 0 && (modifiers & KMOD_ALT) == 0) return 0;
  if (isLetterKey(virtualKey) || isNumpadDigit(virtualKey) || isNumpadOperator(virtualKey)) {
    return usCharOf(virtualKey, shift, caps);
  }
  if (us_keyboard::plainCharOf(virtualKey) == 0) return 0;
  const bool layoutWritesAscii = layoutKey >= ' ' && layoutKey <= '~';
  if (!shift && layoutWritesAscii) return char(layoutKey);
  return usCharOf(virtualKey, shift, caps);
}

char charOfText(std::string_view utf8) {
  if (utf8.size() == 1) return static_cast<unsigned char>(utf8[0]) < 0x80 ? utf8[0] : 0;
  if (utf8.size() != 2) return 0;
  const auto lead = static_cast<unsigned char>(utf8[0]);
  const auto trail = static_cast<unsigned char>(utf8[1]);
  // Two-byte sequences with lead 0xC2 or 0xC3 carry the code points 0x80..0xFF.
  if ((lead != 0xC2 && lead != 0xC3) || (trail & 0xC0) != 0x80) return 0;
  return char(((lead & 0x1F) << 6) | (trail & 0x3F));
}

}  // namespace window::keys
