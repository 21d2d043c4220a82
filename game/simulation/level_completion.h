#pragma once
// The level's completion rules: the win (enough of the remaining water in the end area at
// once), the loss of all water (it comes back at the last checkpoint), the finish countdown
// and the score from the time taken and the water kept. What they decide is kept in the
// level's record (game/world/level_record.h).

#include <cstdint>
#include <string>
#include <string_view>

namespace level_completion {

constexpr std::string_view kGameConfigPath = "cfg\\game.cfg";

// Back to the level's start: checkpoint at the water start with 128 particles, not
// finishing, settings from game.cfg, the clock at 0, "TimePrint" off (registered by the first
// start while the console runs).
void initialise();
// Lets the finish and dead sounds go at the end of a game run.
void shutdown();
// One tick of `t` seconds while play runs: clock, loss and respawn, finish countdown, win.
void update(float t);

// The water that has to be in the end area on one tick to win: the level's share of all the
// water left, whole drops, at least one.
double neededWater();

// The finish animation's frame-set name and speed, as the first start of a level in this
// game run read them.
struct FinishAnimationLook {
  std::string frames;
  float frameRate = 0.0f;
};
const FinishAnimationLook& finishAnimationLook();
float finishAnimationTime();

uint32_t timeScore();
int32_t waterScore();
int64_t score();

// "TimePrint": the level time goes to the console on every drawn frame.
bool timePrintEnabled();
// The console line of the level time: "\n" hours "::" minutes "::" seconds "." hundredths,
// padded to the widths 1, 2, 3 and 4.
std::string levelTimeText(uint32_t ms);

}  // namespace level_completion
