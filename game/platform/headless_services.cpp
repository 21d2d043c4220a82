#include "game/platform/headless_services.h"

#include "game/platform/virtual_keys.h"

namespace platform {
namespace {

char punctuationOf(int virtualKey) {
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
    case vk::kOemOpenBracket: return '[';
    case vk::kOemBackslash: return '\\';
    case vk::kOemCloseBracket: return ']';
    case vk::kOemQuote: return '\'';
    default: return 0;
  }
}

}  // namespace

char HeadlessServices::keyToChar(int virtualKey) const {
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    return char(capsToggled_ ? virtualKey : virtualKey - 'A' + 'a');
  }
  if (virtualKey >= '0' && virtualKey <= '9') return char(virtualKey);
  if (virtualKey >= vk::kNumpad0 && virtualKey <= vk::kNumpad0 + 9) {
    return char('0' + virtualKey - vk::kNumpad0);
  }
  return punctuationOf(virtualKey);
}

bool HeadlessServices::isKeyToggled(int virtualKey) const {
  if (virtualKey == vk::kInsert) return insertToggled_;
  if (virtualKey == vk::kCapsLock) return capsToggled_;
  return false;
}

void HeadlessServices::setKeyToggled(int virtualKey, bool toggled) {
  if (virtualKey == vk::kInsert) insertToggled_ = toggled;
  if (virtualKey == vk::kCapsLock) capsToggled_ = toggled;
}

bool HeadlessServices::isKeyDown(int virtualKey) const {
  return virtualKey >= 0 && virtualKey < kKeyCount && keysDown_.test(size_t(virtualKey));
}

void HeadlessServices::setKeyDown(int virtualKey, bool down) {
  if (virtualKey >= 0 && virtualKey < kKeyCount) keysDown_.set(size_t(virtualKey), down);
}

void HeadlessServices::setClientSize(int32_t width, int32_t height) {
  clientWidth_ = width > 0 ? width : 0;
  clientHeight_ = height > 0 ? height : 0;
}

HeadlessServices& headlessServices() {
  static HeadlessServices instance;
  return instance;
}

}  // namespace platform
