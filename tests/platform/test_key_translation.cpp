// The window layer's rules that need no window: key translation, the keyboard state built
// from events, the display-mode choice and extension matching.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text.h"
#include "game/platform/display_mode.h"
#include "game/platform/extension_list.h"
#include "game/platform/key_names.h"
#include "game/platform/key_translation.h"
#include "game/platform/keyboard_state.h"
#include "game/platform/virtual_keys.h"

namespace {

using window::keys::charOfText;
using window::keys::fallbackCharOf;
using window::keys::scancodeOf;
using window::keys::usCharOf;
using window::keys::usKeycodeOf;
using window::keys::virtualKeyOf;

TEST(KeyTranslation, TheKeyLeftOfOneIsTheConsoleKeyOnEveryLayout) {
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_GRAVE, SDLK_BACKQUOTE), vk::kConsoleToggle);
  // German layout: the same key writes a circumflex.
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_GRAVE, SDLK_CARET), vk::kConsoleToggle);
  EXPECT_EQ(vk::kConsoleToggle, 223);
}

TEST(KeyTranslation, LettersFollowTheLayoutAndDigitsThePosition) {
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_A, SDLK_a), 'A');
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_Z, SDLK_z), 'Z');
  // French layout: the key at US "q" writes "a"; the key at US "1" writes "&".
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_Q, SDLK_a), 'A');
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_1, SDLK_AMPERSAND), '1');
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_0, SDLK_0), '0');
  // A layout without Latin letters keeps the US letter of the position.
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_F, SDL_Keycode(0x0430)), 'F');
}

TEST(KeyTranslation, NamedKeysGetTheirWindowsCodes) {
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE), 27);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_PAUSE, SDLK_PAUSE), 19);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_RETURN, SDLK_RETURN), 13);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER), 13);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE), 8);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_TAB, SDLK_TAB), 9);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_PAGEUP, SDLK_PAGEUP), 33);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_PAGEDOWN, SDLK_PAGEDOWN), 34);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_LEFT, SDLK_LEFT), vk::kLeft);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_DOWN, SDLK_DOWN), vk::kDown);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_INSERT, SDLK_INSERT), vk::kInsert);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_F1, SDLK_F1), 0x70);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_F12, SDLK_F12), 0x7B);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_F13, SDLK_F13), 0x7C);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_RSHIFT, SDLK_RSHIFT), vk::kShift);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_RCTRL, SDLK_RCTRL), vk::kControl);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_RALT, SDLK_RALT), vk::kAlt);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_KP_0, SDLK_KP_0), vk::kNumpad0);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_KP_9, SDLK_KP_9), vk::kNumpad0 + 9);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_KP_MULTIPLY, SDLK_KP_MULTIPLY), vk::kMultiply);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON), vk::kOemSemicolon);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_NONUSBACKSLASH, SDLK_LESS), vk::kOem102);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_UNKNOWN, SDLK_UNKNOWN), 0);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_MUTE, SDLK_MUTE), 0);
}

// A key keys.cfg can name is one the window gives when it is pressed, and its name reads
// back in any letter case.
TEST(KeyTranslation, EveryKeyWithANameComesFromAKeyPosition) {
  for (int32_t key = 1; key < 256; ++key) {
    std::string name = key_names::nameOf(key);
    if (name.empty()) continue;
    EXPECT_EQ(virtualKeyOf(scancodeOf(key), usKeycodeOf(key)), key) << name;
    EXPECT_EQ(key_names::virtualKeyOf(upperCased(name)), key) << name;
    toLower(name);
    EXPECT_EQ(key_names::virtualKeyOf(name), key) << name;
  }
}

TEST(KeyTranslation, WithoutNumLockTheKeypadIsTheNavigationBlock) {
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_KP_1, SDLK_KP_1, false), vk::kEnd);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_KP_5, SDLK_KP_5, false), 12);  // Clear
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_KP_8, SDLK_KP_8, false), vk::kUp);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_KP_9, SDLK_KP_9, false), vk::kPageUp);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_KP_0, SDLK_KP_0, false), vk::kInsert);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, false), vk::kDelete);
  // The operators and Enter don't change, nor does anything with Num Lock on.
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS, false), vk::kAdd);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, false), vk::kReturn);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_KP_8, SDLK_KP_8, true), vk::kNumpad0 + 8);
  EXPECT_EQ(virtualKeyOf(SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, true), vk::kDecimal);
}

TEST(KeyTranslation, InjectedKeysComeBackAsTheKeyThatWasInjected) {
  std::vector<int32_t> keys{
      vk::kBackspace, vk::kTab,      vk::kReturn,   vk::kShift,        vk::kControl,  vk::kAlt,
      vk::kPause,     vk::kCapsLock, vk::kEscape,   vk::kSpace,        vk::kPageUp,   vk::kPageDown,
      vk::kEnd,       vk::kHome,     vk::kLeft,     vk::kUp,           vk::kRight,    vk::kDown,
      vk::kInsert,    vk::kDelete,   vk::kMultiply, vk::kAdd,          vk::kSubtract, vk::kDecimal,
      vk::kDivide,    vk::kOemPlus,  vk::kOemQuote, vk::kConsoleToggle};
  for (int32_t key = 'A'; key <= 'Z'; ++key) keys.push_back(key);
  for (int32_t key = '0'; key <= '9'; ++key) keys.push_back(key);
  for (int32_t n = 0; n < 10; ++n) keys.push_back(vk::kNumpad0 + n);
  for (int32_t n = 0; n < 24; ++n) keys.push_back(vk::kF1 + n);
  for (const int32_t key : keys) {
    const SDL_Scancode scancode = scancodeOf(key);
    ASSERT_NE(scancode, SDL_SCANCODE_UNKNOWN) << key;
    EXPECT_EQ(virtualKeyOf(scancode, usKeycodeOf(key)), key) << key;
  }
  EXPECT_EQ(scancodeOf(0), SDL_SCANCODE_UNKNOWN);
  EXPECT_EQ(scancodeOf(0x07), SDL_SCANCODE_UNKNOWN);
  EXPECT_EQ(scancodeOf(-5), SDL_SCANCODE_UNKNOWN);
}

TEST(KeyCharacters, UsLayoutWithShiftAndCapsLock) {
  EXPECT_EQ(usCharOf('A', false, false), 'a');
  EXPECT_EQ(usCharOf('A', true, false), 'A');
  EXPECT_EQ(usCharOf('A', false, true), 'A');
  EXPECT_EQ(usCharOf('A', true, true), 'a');
  EXPECT_EQ(usCharOf('1', false, false), '1');
  EXPECT_EQ(usCharOf('1', true, false), '!');
  // Caps lock leaves everything but letters alone.
  EXPECT_EQ(usCharOf('1', false, true), '1');
  EXPECT_EQ(usCharOf('0', true, false), ')');
  EXPECT_EQ(usCharOf(vk::kOemMinus, true, false), '_');
  EXPECT_EQ(usCharOf(vk::kOemQuote, true, false), '"');
  EXPECT_EQ(usCharOf(vk::kConsoleToggle, false, false), '`');
  EXPECT_EQ(usCharOf(vk::kConsoleToggle, true, false), '~');
  EXPECT_EQ(usCharOf(vk::kSpace, true, false), ' ');
  EXPECT_EQ(usCharOf(vk::kNumpad0 + 7, true, false), '7');
  EXPECT_EQ(usCharOf(vk::kMultiply, false, false), '*');
  EXPECT_EQ(usCharOf(vk::kReturn, false, false), 0);
  EXPECT_EQ(usCharOf(vk::kShift, true, false), 0);
  EXPECT_EQ(usCharOf(vk::kF1, false, false), 0);
}

TEST(KeyCharacters, KeysWithoutTextFallBackToTheLayoutThenTheUsShiftTable) {
  // Unshifted, the layout's own character: the French "1" key writes "&".
  EXPECT_EQ(fallbackCharOf('1', 0, SDLK_AMPERSAND), '&');
  EXPECT_EQ(fallbackCharOf('1', KMOD_LSHIFT, SDLK_AMPERSAND), '!');
  EXPECT_EQ(fallbackCharOf('Q', 0, SDLK_q), 'q');
  EXPECT_EQ(fallbackCharOf('Q', KMOD_RSHIFT, SDLK_q), 'Q');
  EXPECT_EQ(fallbackCharOf('Q', KMOD_CAPS, SDLK_q), 'Q');
  EXPECT_EQ(fallbackCharOf(vk::kOemSlash, 0, SDLK_UNKNOWN), '/');
  EXPECT_EQ(fallbackCharOf('Q', KMOD_LCTRL, SDLK_q), 0);
  // Control with alt is AltGr and still writes.
  EXPECT_EQ(fallbackCharOf('Q', KMOD_LCTRL | KMOD_RALT, SDLK_q), 'q');
  EXPECT_EQ(fallbackCharOf(vk::kEscape, 0, SDLK_ESCAPE), 0);
  EXPECT_EQ(fallbackCharOf(vk::kF1, 0, SDLK_F1), 0);
}

TEST(KeyCharacters, TextGivesACharacterOnlyWhenItHoldsExactlyOne) {
  EXPECT_EQ(charOfText("a"), 'a');
  EXPECT_EQ(charOfText("~"), '~');
  EXPECT_EQ(charOfText("\xC3\xA9"), char(0xE9));  // é
  EXPECT_EQ(charOfText("\xC2\xA3"), char(0xA3));  // £
  EXPECT_EQ(charOfText(""), 0);
  // A dead key followed by a key it doesn't combine with writes both.
  EXPECT_EQ(charOfText("^q"), 0);
  EXPECT_EQ(charOfText("\xE2\x82\xAC"), 0);  // € is beyond the 8-bit font
  EXPECT_EQ(charOfText("\xC3"), 0);
  EXPECT_EQ(charOfText("\xC3("), 0);
  EXPECT_EQ(charOfText("\x80"), 0);
}

TEST(KeyboardState, HeldKeysAndModifiersFollowTheInjectedPresses) {
  window::KeyboardState keyboard;
  keyboard.press(SDL_SCANCODE_LSHIFT, vk::kShift, std::nullopt);
  keyboard.press(SDL_SCANCODE_RSHIFT, vk::kShift, std::nullopt);
  EXPECT_TRUE(keyboard.isDown(vk::kShift));
  EXPECT_EQ(keyboard.modifiers() & KMOD_SHIFT, KMOD_LSHIFT | KMOD_RSHIFT);
  // One shift let go leaves the other holding.
  EXPECT_EQ(keyboard.release(SDL_SCANCODE_LSHIFT, vk::kShift, std::nullopt), vk::kShift);
  EXPECT_TRUE(keyboard.isDown(vk::kShift));
  EXPECT_EQ(keyboard.modifiers() & KMOD_SHIFT, KMOD_RSHIFT);
  keyboard.release(SDL_SCANCODE_RSHIFT, vk::kShift, std::nullopt);
  EXPECT_FALSE(keyboard.isDown(vk::kShift));
  EXPECT_EQ(keyboard.modifiers(), 0);
}

TEST(KeyboardState, LocksFlipOnNewPressesOnly) {
  window::KeyboardState keyboard;
  keyboard.press(SDL_SCANCODE_CAPSLOCK, vk::kCapsLock, std::nullopt);
  EXPECT_TRUE(keyboard.isToggled(vk::kCapsLock));
  // Auto-repeat doesn't flip it back.
  keyboard.press(SDL_SCANCODE_CAPSLOCK, vk::kCapsLock, std::nullopt);
  EXPECT_TRUE(keyboard.isToggled(vk::kCapsLock));
  keyboard.release(SDL_SCANCODE_CAPSLOCK, vk::kCapsLock, std::nullopt);
  EXPECT_TRUE(keyboard.isToggled(vk::kCapsLock));
  keyboard.press(SDL_SCANCODE_CAPSLOCK, vk::kCapsLock, std::nullopt);
  EXPECT_FALSE(keyboard.isToggled(vk::kCapsLock));

  keyboard.press(SDL_SCANCODE_INSERT, vk::kInsert, std::nullopt);
  keyboard.press(SDL_SCANCODE_INSERT, vk::kInsert, std::nullopt);
  EXPECT_TRUE(keyboard.isToggled(vk::kInsert));
  keyboard.release(SDL_SCANCODE_INSERT, vk::kInsert, std::nullopt);
  keyboard.press(SDL_SCANCODE_INSERT, vk::kInsert, KMOD_NONE);
  EXPECT_FALSE(keyboard.isToggled(vk::kInsert));
  EXPECT_FALSE(keyboard.isToggled('A'));
}

TEST(KeyboardState, ReportedModifiersWinAndLosingTheFocusReleasesAllButLocks) {
  window::KeyboardState keyboard;
  keyboard.press(SDL_SCANCODE_A, 'A', uint16_t(KMOD_NUM | KMOD_LCTRL));
  keyboard.press(SDL_SCANCODE_LEFT, vk::kLeft, uint16_t(KMOD_NUM | KMOD_LCTRL));
  EXPECT_TRUE(keyboard.isToggled(vk::kNumLock));
  keyboard.releaseAll();
  EXPECT_FALSE(keyboard.isDown('A'));
  EXPECT_FALSE(keyboard.isDown(vk::kLeft));
  EXPECT_EQ(keyboard.modifiers(), KMOD_NUM);
}

TEST(KeyboardState, AKeyComesUpAsTheKeyItWentDownAs) {
  window::KeyboardState keyboard;
  // The layout changed while the key was held: the up still releases 'A'.
  keyboard.press(SDL_SCANCODE_Q, 'A', std::nullopt);
  EXPECT_EQ(keyboard.release(SDL_SCANCODE_Q, 'Q', std::nullopt), 'A');
  EXPECT_FALSE(keyboard.isDown('A'));
  EXPECT_EQ(keyboard.release(SDL_SCANCODE_Q, 'Q', std::nullopt), 'Q');
  EXPECT_FALSE(keyboard.isDown(0));
  EXPECT_FALSE(keyboard.isDown(300));
}

TEST(KeyboardState, RemembersTheTextOfEachKeysLastPress) {
  window::KeyboardState keyboard;
  EXPECT_EQ(keyboard.rememberedChar('A'), window::KeyboardState::kNoText);
  keyboard.rememberText('A', "a");
  EXPECT_EQ(keyboard.rememberedChar('A'), 'a');
  keyboard.rememberText('A', "\xC3\xA0");
  EXPECT_EQ(keyboard.rememberedChar('A'), 0xE0);
  keyboard.rememberText('A', "^a");
  EXPECT_EQ(keyboard.rememberedChar('A'), 0);
  keyboard.forgetText('A');
  EXPECT_EQ(keyboard.rememberedChar('A'), window::KeyboardState::kNoText);
  keyboard.rememberText(999, "x");
  EXPECT_EQ(keyboard.rememberedChar(999), window::KeyboardState::kNoText);
}

std::vector<window::DisplayMode> modesAt(int32_t width, int32_t height,
                                         std::initializer_list<int32_t> rates) {
  std::vector<window::DisplayMode> modes;
  for (const int32_t rate : rates) modes.push_back({width, height, rate});
  return modes;
}

TEST(DisplayModeChoice, MovesTowardSixtyHertz) {
  EXPECT_EQ(window::chooseDisplayMode(modesAt(800, 600, {50, 100, 75}), 800, 600)->refreshRate, 75);
  EXPECT_EQ(window::chooseDisplayMode(modesAt(800, 600, {85, 100}), 800, 600)->refreshRate, 85);
  EXPECT_EQ(window::chooseDisplayMode(modesAt(800, 600, {100, 85, 60, 75}), 800, 600)->refreshRate,
            60);
  EXPECT_EQ(window::chooseDisplayMode(modesAt(800, 600, {56, 60, 72}), 800, 600)->refreshRate, 60);
  // A rate the driver doesn't know (0) gives way to any known one.
  EXPECT_EQ(window::chooseDisplayMode(modesAt(800, 600, {0, 70}), 800, 600)->refreshRate, 70);
}

TEST(DisplayModeChoice, OnlyModesOfTheExactSizeCount) {
  std::vector<window::DisplayMode> modes = modesAt(1024, 768, {60});
  modes.push_back({800, 600, 75});
  modes.push_back({800, 601, 60});
  modes.push_back({801, 600, 60});
  const auto chosen = window::chooseDisplayMode(modes, 800, 600);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(chosen->width, 800);
  EXPECT_EQ(chosen->height, 600);
  EXPECT_EQ(chosen->refreshRate, 75);
  EXPECT_FALSE(window::chooseDisplayMode(modes, 640, 480).has_value());
  EXPECT_FALSE(window::chooseDisplayMode({}, 800, 600).has_value());
}

TEST(ExtensionList, OnlyAWholeNameMatches) {
  const std::string_view list = "GL_ARB_multitexture GL_EXT_bgra  GL_ARB_multisample";
  EXPECT_TRUE(window::extensionListHas(list, "GL_ARB_multitexture"));
  EXPECT_TRUE(window::extensionListHas(list, "GL_EXT_bgra"));
  EXPECT_TRUE(window::extensionListHas(list, "GL_ARB_multisample"));
  EXPECT_FALSE(window::extensionListHas(list, "GL_ARB_multi"));
  EXPECT_FALSE(window::extensionListHas(list, "GL_EXT_bgr"));
  EXPECT_FALSE(window::extensionListHas(list, "ARB_multisample"));
  EXPECT_FALSE(window::extensionListHas(list, "GL_EXT_bgra GL_ARB_multisample"));
  EXPECT_FALSE(window::extensionListHas(list, ""));
  EXPECT_FALSE(window::extensionListHas("", "GL_EXT_bgra"));
}

}  // namespace
