#pragma once
// The level's completion: the level clock, the win (enough of the remaining water in the
// end area at once), the loss of all water (it comes back at the last checkpoint), the
// finish countdown and the score from the time taken and the water kept.

#include <cstdint>
#include <string>
#include <string_view>

#include "game/level/vector2.h"

namespace level_completion {

constexpr std::string_view kGameConfigPath = "cfg\\game.cfg";

// Back to the level's start: checkpoint at the water start with 128 particles, not
// finishing, settings from game.cfg, the clock at 0.
void initialise();
// Lets the finish and dead sounds go at the end of a game run.
void shutdown();
// One tick of `t` seconds while play runs: clock, loss and respawn, finish countdown, win.
void update(float t);
// The clock does not count the time since its last reading (menus, pause, opening move).
void skipClock();

// The finish animation's frame-set name and speed, as the first start of a level in this
// game run read them.
struct FinishAnimationLook {
  std::string frames;
  float frameRate = 0.0f;
};
const FinishAnimationLook& finishAnimationLook();

// The level was won and its finish animation has run out.
bool isFinishOver();
bool isFinishing();
float finishTimeLeft();
float finishAnimationTime();
// The finish animation has ended and play of this level is over; the level-finished
// screen takes over from here.
bool isLevelOver();

// Water counted in the end area during this tick: 1 per particle, a group's count per group.
void addWaterAtEnd(uint32_t amount);
// Lost water comes back here, as much of it as there is now.
void setCheckpoint(float x, float y);
Vec2 checkpoint();
int32_t checkpointWater();

// Free particles plus the particles of every ice group.
uint32_t totalWater();
uint32_t elapsedMs();
// The run-time clock's reading the level clock took last, on its tick or its start: a replay
// gives it back to the tick that took it.
uint32_t clockReadingMs();
uint32_t timeScore();
int32_t waterScore();
int64_t score();

// "TimePrint": the level time goes to the console on every drawn frame.
bool timePrintEnabled();
// The console line of the level time: "\n" hours "::" minutes "::" seconds "." hundredths,
// padded to the widths 1, 2, 3 and 4.
std::string levelTimeText(uint32_t ms);

// How often all water was lost and came back at the checkpoint since the level started.
int32_t respawnCount();

}  // namespace level_completion
