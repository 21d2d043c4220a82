#pragma once
// Keys travel through the game as Windows virtual-key codes; the window layer translates
// the desktop's key events into them, so the game's key handling reads the same everywhere.

namespace vk {

constexpr int kBackspace = 8;
constexpr int kTab = 9;
constexpr int kReturn = 13;
constexpr int kShift = 16;
constexpr int kControl = 17;
constexpr int kAlt = 18;
constexpr int kPause = 19;
constexpr int kCapsLock = 20;
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kPageUp = 33;
constexpr int kPageDown = 34;
constexpr int kEnd = 35;
constexpr int kHome = 36;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kSnapshot = 44;
constexpr int kInsert = 45;
constexpr int kDelete = 46;
constexpr int kLeftWindows = 0x5B;
constexpr int kRightWindows = 0x5C;
constexpr int kApplications = 0x5D;
constexpr int kNumpad0 = 0x60;
constexpr int kMultiply = 0x6A;
constexpr int kAdd = 0x6B;
constexpr int kSubtract = 0x6D;
constexpr int kDecimal = 0x6E;
constexpr int kDivide = 0x6F;
// F1 to F24 follow one another.
constexpr int kF1 = 0x70;
constexpr int kNumLock = 0x90;
constexpr int kScrollLock = 0x91;
constexpr int kOemSemicolon = 0xBA;
constexpr int kOemPlus = 0xBB;
constexpr int kOemComma = 0xBC;
constexpr int kOemMinus = 0xBD;
constexpr int kOemPeriod = 0xBE;
constexpr int kOemSlash = 0xBF;
constexpr int kOemBacktick = 0xC0;
constexpr int kOemOpenBracket = 0xDB;
constexpr int kOemBackslash = 0xDC;
constexpr int kOemCloseBracket = 0xDD;
constexpr int kOemQuote = 0xDE;
// The extra key between left shift and Z on European keyboards.
constexpr int kOem102 = 0xE2;
// A game controller's Start and Back buttons; its d-pad, A and B arrive as the arrow keys,
// Return and Escape.
constexpr int kControllerStart = 0xCF;
constexpr int kControllerBack = 0xD0;
// The key left of "1": it opens and closes the console on every keyboard layout.
constexpr int kConsoleToggle = 223;

}  // namespace vk
