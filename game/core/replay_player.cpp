#include "game/core/replay_player.h"

#include <bit>

#include "game/console/console.h"
#include "game/core/game_clock.h"
#include "game/core/level_completion.h"

simulation::TickReport ReplayPlayer::playTick() {
  const replay::ReplayTick& tick = replay_.ticks[next_++];
  if (next_ == 1) clockMs_ = level_completion::clockReadingMs();
  if (tick.restart) simulation::restartLevel();
  for (const std::string& line : tick.consoleLines) console::submitLine(line);
  clockMs_ += tick.clockStepMs;
  game_clock::setSimulatedMs(clockMs_);
  const camera::TurnInput input{tick.left, tick.right, tick.mouseTurn};
  const simulation::TickControls controls{tick.paused, tick.turnTaken, &input};
  return simulation::tick(std::bit_cast<float>(tick.stepBits), controls);
}
