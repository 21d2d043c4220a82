#include "game/simulation/frame_pacer.h"

#include <algorithm>

#include "game/simulation/simulation.h"

namespace {

constexpr float kShortestTick = 0.01f;

}  // namespace

void FramePacer::startLevel() {
  gathered_ = kShortestTick;
  restart();
}

bool FramePacer::measureFrame() {
  if (!frameTimes_.add(timer_.tick())) return false;
  frameTime_ = frameTimes_.lastMean;
  return true;
}

bool FramePacer::gather() {
  gathered_ += frameTime_;
  return gathered_ >= kShortestTick;
}

float FramePacer::takeGathered() {
  const float seconds = std::min(gathered_, simulation::kLongestTick);
  gathered_ = 0.0f;
  return seconds;
}
