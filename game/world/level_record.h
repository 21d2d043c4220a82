#pragma once
// The running level's record: its clock, the checkpoint lost water comes back to, the water
// counted in the end area this tick and how the finish stands. The level's triggers and the
// screens read and add to it; the win and loss rules that decide from it are in
// game/simulation/level_completion.h.

#include <cstdint>

#include "common/vector2.h"

namespace level_record {

// Water a level starts with, and comes back with when no checkpoint counted other water.
constexpr int32_t kStartWater = 128;
// The finish countdown is never shorter, so a level won is seen to be won.
constexpr float kShortestFinish = 0.001f;

// A stopwatch on the game clock that can leave stretches of time uncounted.
struct LevelClock {
  uint32_t elapsed = 0;
  uint32_t last = 0;
  void reset();
  void advance();
  void skip();
};

struct Record {
  Vec2 checkpoint;
  int32_t checkpointWater = kStartWater;
  bool finishing = false;
  float finishTimeLeft = kShortestFinish;
  bool levelOver = false;
  uint32_t waterAtEnd = 0;
  int32_t respawns = 0;
  LevelClock clock;
};

// The record for the completion rules to write; everyone else uses the functions below.
Record& record();

// The clock does not count the time since its last reading (menus, pause, opening move).
void skipClock();
uint32_t elapsedMs();
// The run-time clock's reading the level clock took last, on its tick or its start: a replay
// gives it back to the tick that took it.
uint32_t clockReadingMs();

// Water counted in the end area during this tick: 1 per particle, a group's count per group.
void addWaterAtEnd(uint32_t amount);
// Lost water comes back at `at`, `water` particles of it.
void setCheckpoint(Vec2 at, int32_t water);
Vec2 checkpoint();
int32_t checkpointWater();
// How often all water was lost and came back at the checkpoint since the level started.
int32_t respawnCount();

bool isFinishing();
float finishTimeLeft();
// The level was won and its finish animation has run out.
bool isFinishOver();
// The finish animation has ended and play of this level is over; the level-finished
// screen takes over from here.
bool isLevelOver();

}  // namespace level_record
