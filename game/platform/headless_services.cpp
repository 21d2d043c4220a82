#include "game/platform/headless_services.h"

#include "game/platform/us_keyboard.h"
#include "game/platform/virtual_keys.h"

namespace platform {

char HeadlessServices::keyToChar(int virtualKey) const {
  return us_keyboard::charOf(virtualKey, false, capsToggled_);
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
