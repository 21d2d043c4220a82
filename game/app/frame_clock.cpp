#include "game/app/frame_clock.h"

#include "game/simulation/frame_pacer.h"

namespace frame_clock {
namespace {

FramePacer& pacer() {
  static FramePacer instance;
  return instance;
}

}  // namespace

void restart() {
  pacer().restart();
}

void startLevel() {
  pacer().startLevel();
}

bool measureFrame() {
  return pacer().measureFrame();
}

float frameTime() {
  return pacer().frameTime();
}

bool gather() {
  return pacer().gather();
}

float gathered() {
  return pacer().gathered();
}

float takeGathered() {
  return pacer().takeGathered();
}

void reset() {
  pacer() = FramePacer();
}

}  // namespace frame_clock
