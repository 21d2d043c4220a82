#include "game/platform/frame_timer.h"

#include <algorithm>

#include "game/platform/game_clock.h"

void FrameTimer::restart() {
  lastTime_ = game_clock::nowMs();
  stepMs_ = 0;
  stepSeconds_ = 0.0f;
}

float FrameTimer::tick() {
  const uint32_t now = game_clock::nowMs();
  stepMs_ = now - lastTime_;
  lastTime_ = now;
  stepSeconds_ = std::max(static_cast<float>(stepMs_) * 0.001f, 1e-8f);
  return stepSeconds_;
}
