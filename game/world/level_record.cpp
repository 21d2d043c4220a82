#include "game/world/level_record.h"

#include "game/platform/game_clock.h"

namespace level_record {
namespace {

Record record_;

}  // namespace

void LevelClock::reset() {
  elapsed = 0;
  last = game_clock::nowMs();
}

void LevelClock::advance() {
  const uint32_t now = game_clock::nowMs();
  elapsed += now - last;
  last = now;
}

void LevelClock::skip() {
  last = game_clock::nowMs();
}

Record& record() {
  return record_;
}

void skipClock() {
  record_.clock.skip();
}

uint32_t elapsedMs() {
  return record_.clock.elapsed;
}

uint32_t clockReadingMs() {
  return record_.clock.last;
}

void addWaterAtEnd(uint32_t amount) {
  record_.waterAtEnd += amount;
}

void setCheckpoint(Vec2 at, int32_t water) {
  record_.checkpointWater = water;
  record_.checkpoint = at;
}

Vec2 checkpoint() {
  return record_.checkpoint;
}

int32_t checkpointWater() {
  return record_.checkpointWater;
}

int32_t respawnCount() {
  return record_.respawns;
}

bool isFinishing() {
  return record_.finishing;
}

float finishTimeLeft() {
  return record_.finishTimeLeft;
}

bool isFinishOver() {
  return record_.finishing && record_.finishTimeLeft <= 0.0f;
}

bool isLevelOver() {
  return record_.levelOver;
}

}  // namespace level_record
