#include "game/platform/us_keyboard.h"

#include <string_view>

#include "game/platform/virtual_keys.h"

namespace us_keyboard {
namespace {

char shiftedChar(char c) {
  constexpr std::string_view kPlain = "1234567890-=[]\\;',./`";
  constexpr std::string_view kShifted = "!@#$%^&*()_+{}|:\"<>?~";
  const size_t at = kPlain.find(c);
  return at == std::string_view::npos ? c : kShifted[at];
}

}  // namespace

bool isLetterKey(int32_t virtualKey) {
  return virtualKey >= 'A' && virtualKey <= 'Z';
}
bool isDigitKey(int32_t virtualKey) {
  return virtualKey >= '0' && virtualKey <= '9';
}
bool isNumpadDigit(int32_t virtualKey) {
  return virtualKey >= vk::kNumpad0 && virtualKey <= vk::kNumpad0 + 9;
}
bool isNumpadOperator(int32_t virtualKey) {
  return virtualKey >= vk::kMultiply && virtualKey <= vk::kDivide;
}

char plainCharOf(int32_t virtualKey) {
  if (isLetterKey(virtualKey)) return char(virtualKey - 'A' + 'a');
  if (isDigitKey(virtualKey)) return char(virtualKey);
  if (isNumpadDigit(virtualKey)) return char('0' + virtualKey - vk::kNumpad0);
  switch (virtualKey) {
    case vk::kSpace: return ' ';
    case vk::kMultiply: return '*';
    case vk::kAdd: return '+';
    case vk::kSubtract: return '-';
    case vk::kDecimal: return '.';
    case vk::kDivide: return '/';
    case vk::kOemSemicolon: return ';';
    case vk::kOemPlus: return '=';
    case vk::kOemComma: return ',';
    case vk::kOemMinus: return '-';
    case vk::kOemPeriod: return '.';
    case vk::kOemSlash: return '/';
    case vk::kOemBacktick: return '`';
    case vk::kConsoleToggle: return '`';
    case vk::kOemOpenBracket: return '[';
    case vk::kOemBackslash: return '\\';
    case vk::kOemCloseBracket: return ']';
    case vk::kOemQuote: return '\'';
    default: return 0;
  }
}

char charOf(int32_t virtualKey, bool shift, bool capsLock) {
  const char plain = plainCharOf(virtualKey);
  if (isLetterKey(virtualKey)) return shift != capsLock ? char(virtualKey) : plain;
  if (isNumpadDigit(virtualKey) || isNumpadOperator(virtualKey)) return plain;
  return shift ? shiftedChar(plain) : plain;
}

}  // namespace us_keyboard
