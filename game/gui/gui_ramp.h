#pragma once
// The count-up of the level-result widgets: each showing of the screen restarts it, and
// while it counts, the fraction shown grows from 0 to 1 over the ramp time.

#include <algorithm>

#include "game/platform/frame_timer.h"

struct GuiRamp {
  FrameTimer timer;
  float time = 1.0f;
  float remaining = 1.0f;

  void restart() {
    timer.restart();
    remaining = time;
  }
  // The time since the last step counts only while `counting`.
  void advance(bool counting) {
    const float step = timer.tick();
    if (counting) remaining -= step;
  }
  bool started() const { return remaining < time; }
  bool finished() const { return remaining <= 0.0f; }
  // 1 - remaining / time, within 0..1; a ramp of no time is full once it has run.
  float fraction() const {
    if (time <= 0.0f) return finished() ? 1.0f : 0.0f;
    return std::clamp(1.0f - remaining / time, 0.0f, 1.0f);
  }
};
