#pragma once
// A millisecond stopwatch on the run-time clock that yields the step since its previous tick.
// The widgets, the name entry, the video and the loading screen animate by it, so a slow
// frame moves them further rather than slowing them down.

#include <cstdint>

class FrameTimer {
 public:
  FrameTimer() { restart(); }

  // From now; the last step becomes 0.
  void restart();
  // Seconds since the previous tick (or restart), never below 1e-8.
  float tick();
  float lastStep() const { return stepSeconds_; }

 private:
  uint32_t lastTime_ = 0;
  uint32_t stepMs_ = 0;
  float stepSeconds_ = 0.0f;
};
