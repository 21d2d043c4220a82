#include "game/simulation/replay_player.h"

#include <algorithm>
#include <bit>

#include "common/messages.h"
#include "common/text.h"
#include "game/console/console.h"
#include "game/platform/game_clock.h"
#include "game/simulation/camera_steering.h"
#include "game/world/level_record.h"

simulation::TickReport ReplayPlayer::playTick() {
  const replay::ReplayTick& tick = replay_.ticks[next_++];
  if (tick.restart) simulation::restartLevel();
  for (const std::string& line : tick.consoleLines) console::submitLine(line);
  // Wrapping: the program's clock may pass 2^32 ms during a run.
  game_clock::setSimulatedMs(level_record::clockReadingMs() + tick.clockStepMs);
  const camera::TurnInput input{tick.left, tick.right, tick.mouseTurn, tick.stickTurn};
  const simulation::TickControls controls{tick.paused, tick.turnTaken, &input};
  return simulation::tick(std::bit_cast<float>(tick.stepBits), controls);
}

std::string refusedConsoleLine(const replay::Replay& replay) {
  for (const replay::ReplayTick& tick : replay.ticks)
    for (const std::string& line : tick.consoleLines)
      if (!console::playsInReplay(line))
        return "it holds a console line a replay may not run: " +
               messageExcerpt(printableText(line));
  return "";
}

bool usedTheConsole(const replay::Replay& replay) {
  return std::ranges::any_of(
      replay.ticks, [](const replay::ReplayTick& tick) { return !tick.consoleLines.empty(); });
}
