#include "game/world/screen_flow.h"

#include "game/world/level_record.h"

namespace screen_flow {
namespace {

int32_t current_ = kPlay;
int32_t previous_ = kPlay;
MenuListener listener_;

}  // namespace

void setMenuListener(MenuListener listener) {
  listener_ = std::move(listener);
}

void setMenu(int32_t id) {
  previous_ = current_;
  if (id >= 0 && id < kMenuCount) current_ = id;
  if (current_ == kPlay) level_record::skipClock();
  if (listener_) listener_(current_);
}

void back() {
  setMenu(previous_);
}

int32_t currentMenu() {
  return current_;
}

int32_t previousMenu() {
  return previous_;
}

bool isMenuOpen() {
  return current_ != kPlay;
}

void reset() {
  current_ = previous_ = kPlay;
}

}  // namespace screen_flow
