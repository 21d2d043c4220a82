#include "game/platform/key_names.h"

#include <array>
#include <string>

#include "common/text.h"
#include "game/platform/virtual_keys.h"

namespace key_names {
namespace {

struct NamedKey {
  std::string_view name;
  int32_t virtualKey;
};

// The keys outside the lettered and numbered runs. The first name of a key is the one
// nameOf gives.
constexpr std::array kNamedKeys{
    NamedKey{"Left", vk::kLeft},
    NamedKey{"Right", vk::kRight},
    NamedKey{"Up", vk::kUp},
    NamedKey{"Down", vk::kDown},
    NamedKey{"Space", vk::kSpace},
    NamedKey{"Return", vk::kReturn},
    NamedKey{"Enter", vk::kReturn},
    NamedKey{"Escape", vk::kEscape},
    NamedKey{"Tab", vk::kTab},
    NamedKey{"Backspace", vk::kBackspace},
    NamedKey{"Pause", vk::kPause},
    NamedKey{"Insert", vk::kInsert},
    NamedKey{"Delete", vk::kDelete},
    NamedKey{"Home", vk::kHome},
    NamedKey{"End", vk::kEnd},
    NamedKey{"PageUp", vk::kPageUp},
    NamedKey{"PageDown", vk::kPageDown},
    NamedKey{"Shift", vk::kShift},
    NamedKey{"Control", vk::kControl},
    NamedKey{"Alt", vk::kAlt},
    NamedKey{"Grave", vk::kConsoleToggle},
    NamedKey{"Minus", vk::kOemMinus},
    NamedKey{"Equals", vk::kOemPlus},
    NamedKey{"LeftBracket", vk::kOemOpenBracket},
    NamedKey{"RightBracket", vk::kOemCloseBracket},
    NamedKey{"Backslash", vk::kOemBackslash},
    NamedKey{"Semicolon", vk::kOemSemicolon},
    NamedKey{"Quote", vk::kOemQuote},
    NamedKey{"Comma", vk::kOemComma},
    NamedKey{"Period", vk::kOemPeriod},
    NamedKey{"Slash", vk::kOemSlash},
};

constexpr int32_t kFunctionKeyCount = 24;
constexpr int32_t kDigitCount = 10;
constexpr std::string_view kNumpadName = "Numpad";

bool isLetter(int32_t key) {
  return key >= 'A' && key <= 'Z';
}
bool isDigit(int32_t key) {
  return key >= '0' && key <= '9';
}

// 1..99 written without a leading zero; 0 for anything else.
int32_t smallNumberOf(std::string_view text) {
  if (text.empty() || text.size() > 2 || text[0] == '0') return 0;
  int32_t value = 0;
  for (const char c : text) {
    if (!isDigit(c)) return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

// A letter, a digit, a function key or a keypad digit; 0 for any other name.
int32_t virtualKeyInRun(std::string_view name) {
  const std::string upper = upperCased(name);
  if (upper.size() == 1 && (isLetter(upper[0]) || isDigit(upper[0]))) return upper[0];
  if (upper.size() > 1 && upper[0] == 'F') {
    const int32_t number = smallNumberOf(std::string_view(upper).substr(1));
    if (number >= 1 && number <= kFunctionKeyCount) return vk::kF1 + number - 1;
  }
  if (upper.size() == kNumpadName.size() + 1 && isDigit(upper.back()) &&
      equalsIgnoringCase(name.substr(0, kNumpadName.size()), kNumpadName)) {
    return vk::kNumpad0 + (upper.back() - '0');
  }
  return 0;
}

}  // namespace

int32_t virtualKeyOf(std::string_view name) {
  if (const int32_t inRun = virtualKeyInRun(name)) return inRun;
  for (const NamedKey& key : kNamedKeys) {
    if (equalsIgnoringCase(key.name, name)) return key.virtualKey;
  }
  return 0;
}

std::string nameOf(int32_t virtualKey) {
  if (isLetter(virtualKey) || isDigit(virtualKey)) return std::string(1, char(virtualKey));
  if (virtualKey >= vk::kF1 && virtualKey < vk::kF1 + kFunctionKeyCount) {
    return "F" + std::to_string(virtualKey - vk::kF1 + 1);
  }
  if (virtualKey >= vk::kNumpad0 && virtualKey < vk::kNumpad0 + kDigitCount) {
    return std::string(kNumpadName) + char('0' + virtualKey - vk::kNumpad0);
  }
  for (const NamedKey& key : kNamedKeys) {
    if (key.virtualKey == virtualKey) return std::string(key.name);
  }
  return {};
}

}  // namespace key_names
