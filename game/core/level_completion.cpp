#include "game/core/level_completion.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "common/config_file.h"
#include "game/console/console.h"
#include "game/core/camera.h"
#include "game/core/game_clock.h"
#include "game/core/screen_flow.h"
#include "game/entities/sound_sources.h"
#include "game/level/level_data.h"
#include "game/platform/music.h"
#include "game/platform/sound_instance.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/particle_manager.h"

namespace level_completion {
namespace {

constexpr int32_t kStartWater = 128;
constexpr float kShortestFinish = 0.001f;
constexpr float kRespawnRadius = 10.0f;
// The time score falls linearly from 436000 at 160 s to 1000 at 480 s.
constexpr double kFastMs = 160000.0;
constexpr double kSlowMs = 480000.0;
constexpr double kTimeScoreRange = 435000.0;
constexpr double kWaterScoreFor128 = 64000.0;

struct Settings {
  float finishAnimationTime = kShortestFinish;
  float finishWaterVolume = 0.0f;
};

// A stopwatch on the game clock that can leave stretches of time uncounted.
struct LevelClock {
  uint32_t elapsed = 0;
  uint32_t last = 0;
  void reset() {
    elapsed = 0;
    last = game_clock::nowMs();
  }
  void advance() {
    const uint32_t now = game_clock::nowMs();
    elapsed += now - last;
    last = now;
  }
  void skip() { last = game_clock::nowMs(); }
};

struct State {
  Vec2 checkpoint;
  int32_t checkpointWater = kStartWater;
  bool finishing = false;
  float finishTimeLeft = kShortestFinish;
  bool levelOver = false;
  uint32_t waterAtEnd = 0;
  bool timePrint = false;
  int32_t respawns = 0;
  LevelClock clock;
};

// Made at the first start of a level and kept for the whole game run, so their keys take
// effect once; an unnamed sound stays silent.
struct Sounds {
  bool made = false;
  std::optional<sound::SoundInstance> finish;
  std::optional<sound::SoundInstance> dead;
  FinishAnimationLook finishAnimation;
};

Settings settings_;
State state_;
Sounds sounds_;

bool timePrintVariable(bool value, bool set) {
  return console::variableValue(state_.timePrint, value, set);
}

void makeSound(std::optional<sound::SoundInstance>& sound, const std::string& name) {
  if (!name.empty()) sound.emplace(name);
}

void readSettings() {
  const ConfigFile file(kGameConfigPath);
  settings_.finishAnimationTime = std::max(file.getFloat("finishAnimationTime"), kShortestFinish);
  settings_.finishWaterVolume = file.getFloat("finishWaterVolume");
  if (sounds_.made) return;
  sounds_.made = true;
  makeSound(sounds_.finish, file.getString("finishSound"));
  makeSound(sounds_.dead, file.getString("deadSound"));
  sounds_.finishAnimation = {file.getString("finishAnimationFrames"),
                             file.getFloat("finishAnimationFrameRate")};
}

void playFromStart(std::optional<sound::SoundInstance>& sound) {
  if (!sound) return;
  sound->rewind();
  sound->play();
}

// All water lost: it comes back at the checkpoint, as much as there was there, and the
// camera flies in to it again. The clock keeps the time spent.
void respawnIfLost() {
  if (!particle_manager::particleList().empty() || !grouped_particle_mover::groupList().empty())
    return;
  if (sounds_.dead) sounds_.dead->setVolume(1.0f);
  playFromStart(sounds_.dead);
  particle_manager::createParticles(state_.checkpoint.x, state_.checkpoint.y, kRespawnRadius,
                                    state_.checkpointWater);
  camera::setMode(camera::kOpeningMove);
  ++state_.respawns;
}

void countDownFinish(float t) {
  if (state_.finishTimeLeft <= 0.0f) return;
  state_.finishTimeLeft -= t;
  if (state_.finishTimeLeft > 0.0f) return;
  sound_sources::stopAll();
  music::stopMusic();
  state_.levelOver = true;
  screen_flow::setMenu(screen_flow::kLevelFinishedMenu);
}

// At least one particle, whatever share the file asks for: a share of 0 or below wins with
// the first drop, one above 1 can't be reached.
double neededWater() {
  const double share = double(float(totalWater()) * settings_.finishWaterVolume);
  return std::max(1.0, std::trunc(share));
}

// Won on the first tick whose count in the end area reaches the share of all water left;
// the count never builds up over several ticks.
void checkWin() {
  if (double(state_.waterAtEnd) >= neededWater()) {
    state_.finishing = true;
    state_.finishTimeLeft = settings_.finishAnimationTime;
    playFromStart(sounds_.finish);
  }
  state_.waterAtEnd = 0;
}

}  // namespace

void initialise() {
  readSettings();
  state_ = State{};
  state_.checkpoint = level::waterStart();
  state_.finishTimeLeft = settings_.finishAnimationTime;
  console::addCommand("TimePrint", timePrintVariable);
  state_.clock.reset();
}

void shutdown() {
  sounds_ = Sounds{};
}

void update(float t) {
  if (!state_.finishing) {
    if (camera::isOpeningMove())
      state_.clock.skip();
    else
      state_.clock.advance();
  }
  respawnIfLost();
  if (state_.finishing)
    countDownFinish(t);
  else
    checkWin();
}

const FinishAnimationLook& finishAnimationLook() {
  return sounds_.finishAnimation;
}

void skipClock() {
  state_.clock.skip();
}

bool isFinishOver() {
  return state_.finishing && state_.finishTimeLeft <= 0.0f;
}
bool isFinishing() {
  return state_.finishing;
}
bool isLevelOver() {
  return state_.levelOver;
}
float finishTimeLeft() {
  return state_.finishTimeLeft;
}
float finishAnimationTime() {
  return settings_.finishAnimationTime;
}

void addWaterAtEnd(uint32_t amount) {
  state_.waterAtEnd += amount;
}

void setCheckpoint(float x, float y) {
  state_.checkpointWater = int32_t(totalWater());
  state_.checkpoint = {x, y};
}

Vec2 checkpoint() {
  return state_.checkpoint;
}
int32_t checkpointWater() {
  return state_.checkpointWater;
}

uint32_t totalWater() {
  size_t total = particle_manager::particleCount();
  for (const ParticleGroup& group : grouped_particle_mover::groupList())
    total += group.particles.size();
  return uint32_t(total);
}

uint32_t elapsedMs() {
  return state_.clock.elapsed;
}

uint32_t clockReadingMs() {
  return state_.clock.last;
}

uint32_t timeScore() {
  const double f = std::clamp((double(elapsedMs()) - kFastMs) / (kSlowMs - kFastMs), 0.0, 1.0);
  return 1000u + uint32_t(std::trunc(kTimeScoreRange * (1.0 - f)));
}

int32_t waterScore() {
  return int32_t(std::trunc(kWaterScoreFor128 * double(totalWater()) / 128.0));
}

int64_t score() {
  return int64_t(timeScore()) + waterScore();
}

bool timePrintEnabled() {
  return state_.timePrint;
}

std::string levelTimeText(uint32_t ms) {
  char text[64];
  std::snprintf(text, sizeof text, "\n%01i::%2i::%3i.%4i", int(ms / 3600000),
                int(ms % 3600000 / 60000), int(ms % 60000 / 1000), int(ms % 1000 / 10));
  return text;
}

int32_t respawnCount() {
  return state_.respawns;
}

}  // namespace level_completion
