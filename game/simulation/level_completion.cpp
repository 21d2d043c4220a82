#include "game/simulation/level_completion.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "common/config_file.h"
#include "game/console/console.h"
#include "game/entities/sound_sources.h"
#include "game/level/level_data.h"
#include "game/platform/music.h"
#include "game/platform/sound_instance.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/particle_manager.h"
#include "game/world/camera.h"
#include "game/world/level_record.h"
#include "game/world/screen_flow.h"

namespace level_completion {
namespace {

using level_record::kShortestFinish;
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

// The "TimePrint" console variable.
bool timePrint_ = false;

// Made at the first start of a level and kept for the whole game run, so their keys take
// effect once; an unnamed sound stays silent.
struct Sounds {
  bool made = false;
  std::optional<sound::SoundInstance> finish;
  std::optional<sound::SoundInstance> dead;
  FinishAnimationLook finishAnimation;
};

Settings settings_;
Sounds sounds_;

bool timePrintVariable(bool value, bool set) {
  return console::variableValue(timePrint_, value, set);
}

// Registered at the first start of a level and kept while the console runs: its shut-down
// removes them with every other entry, and the next start of a level registers them again.
const console::NamedCommand kEntries[] = {
    {"TimePrint", timePrintVariable},
};

void registerEntries() {
  if (console::findCommand(kEntries[0].name) == nullptr) console::addCommands(kEntries);
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
void respawnIfLost(level_record::Record& record) {
  if (!particle_manager::particleList().empty() || !grouped_particle_mover::groupList().empty())
    return;
  if (sounds_.dead) sounds_.dead->setVolume(1.0f);
  playFromStart(sounds_.dead);
  particle_manager::createParticles(record.checkpoint.x, record.checkpoint.y, kRespawnRadius,
                                    record.checkpointWater);
  camera::setMode(camera::kOpeningMove);
  ++record.respawns;
}

void countDownFinish(level_record::Record& record, float t) {
  if (record.finishTimeLeft <= 0.0f) return;
  record.finishTimeLeft -= t;
  if (record.finishTimeLeft > 0.0f) return;
  sound_sources::stopAll();
  music::stopMusic();
  record.levelOver = true;
  screen_flow::setMenu(screen_flow::kLevelFinishedMenu);
}

// Won on the first tick whose count in the end area reaches the share of all water left;
// the count never builds up over several ticks.
void checkWin(level_record::Record& record) {
  if (double(record.waterAtEnd) >= neededWater()) {
    record.finishing = true;
    record.finishTimeLeft = settings_.finishAnimationTime;
    playFromStart(sounds_.finish);
  }
  record.waterAtEnd = 0;
}

}  // namespace

void initialise() {
  readSettings();
  level_record::Record& record = level_record::record();
  record = level_record::Record{};
  record.checkpoint = level::waterStart();
  record.finishTimeLeft = settings_.finishAnimationTime;
  timePrint_ = false;
  registerEntries();
  record.clock.reset();
}

void shutdown() {
  sounds_ = Sounds{};
}

void update(float t) {
  level_record::Record& record = level_record::record();
  if (!record.finishing) {
    if (camera::isOpeningMove())
      record.clock.skip();
    else
      record.clock.advance();
  }
  respawnIfLost(record);
  if (record.finishing)
    countDownFinish(record, t);
  else
    checkWin(record);
}

// At least one particle, whatever share the file asks for: a share of 0 or below wins with
// the first drop, one above 1 can't be reached.
double neededWater() {
  const double share = double(float(grouped_particle_mover::totalWater()) * settings_.finishWaterVolume);
  return std::max(1.0, std::trunc(share));
}

const FinishAnimationLook& finishAnimationLook() {
  return sounds_.finishAnimation;
}

float finishAnimationTime() {
  return settings_.finishAnimationTime;
}

uint32_t timeScore() {
  const double f =
      std::clamp((double(level_record::elapsedMs()) - kFastMs) / (kSlowMs - kFastMs), 0.0, 1.0);
  return 1000u + uint32_t(std::trunc(kTimeScoreRange * (1.0 - f)));
}

int32_t waterScore() {
  return int32_t(std::trunc(kWaterScoreFor128 * double(grouped_particle_mover::totalWater()) / 128.0));
}

int64_t score() {
  return int64_t(timeScore()) + waterScore();
}

bool timePrintEnabled() {
  return timePrint_;
}

std::string levelTimeText(uint32_t ms) {
  char text[64];
  std::snprintf(text, sizeof text, "\n%01i::%2i::%3i.%4i", int(ms / 3600000),
                int(ms % 3600000 / 60000), int(ms % 60000 / 1000), int(ms % 1000 / 10));
  return text;
}

}  // namespace level_completion
