#include "game/app/frame_clock.h"

#include <algorithm>

#include "game/app/mean_block.h"
#include "game/platform/frame_timer.h"
#include "game/simulation/simulation.h"

namespace frame_clock {
namespace {

constexpr float kShortestTick = 0.01f;

struct Pace {
  FrameTimer clock;
  MeanBlock<float, 16> frameTimes;
  float frameTime = 0.0f;
  float gathered = 0.0f;
};

Pace& pace() {
  static Pace instance;
  return instance;
}

}  // namespace

void restart() {
  pace().clock.restart();
}

void startLevel() {
  pace().gathered = kShortestTick;
  restart();
}

bool measureFrame() {
  Pace& p = pace();
  if (!p.frameTimes.add(p.clock.tick())) return false;
  p.frameTime = p.frameTimes.lastMean;
  return true;
}

float frameTime() {
  return pace().frameTime;
}

bool gather() {
  Pace& p = pace();
  p.gathered += p.frameTime;
  return p.gathered >= kShortestTick;
}

float gathered() {
  return pace().gathered;
}

float takeGathered() {
  Pace& p = pace();
  const float seconds = std::min(p.gathered, simulation::kLongestTick);
  p.gathered = 0.0f;
  return seconds;
}

void reset() {
  pace() = Pace();
}

}  // namespace frame_clock
