#include "game/water/water_sound_rules.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "game/world/level_record.h"

namespace water_sound_rules {
namespace {

std::mt19937& source() {
  static std::mt19937 generator(0x5eed5u);
  return generator;
}

}  // namespace

bool loopsAllowed(const PlayState& play) {
  return !play.paused && !play.menuOpen && !level_record::isLevelOver();
}

void followLoop(std::optional<sound::SoundInstance>& loop, float volume) {
  if (!loop) return;
  if (volume < kSilent) {
    if (loop->isPlaying()) loop->stop();
    return;
  }
  loop->setVolume(volume);
  if (!loop->isPlaying()) loop->playLooped();
}

void stopLoop(std::optional<sound::SoundInstance>& loop) {
  if (loop && loop->isPlaying()) loop->stop();
}

void loadSound(std::optional<sound::SoundInstance>& instance, const ConfigFile& file,
               std::string_view key) {
  if (instance) return;
  // A sound the file doesn't name stays silent, like every other unnamed sound.
  const std::string name = file.getString(key);
  if (!name.empty()) instance.emplace(name);
}

float absoluteSetting(const ConfigFile& file, std::string_view key) {
  return std::fabs(file.getFloat(key));
}

float shareSetting(const ConfigFile& file, std::string_view key) {
  return std::clamp(file.getFloat(key), 0.0f, 1.0f);
}

float uniform() {
  return static_cast<float>(source()() >> 8) / 16777215.0f;
}

uint32_t variantIndex() {
  return source()() & 3u;
}

void seed(uint32_t value) {
  source().seed(value);
}

void SplashSet::read(const ConfigFile& file, std::string_view prefix,
                     std::string_view soundPrefix) {
  const std::string p(prefix);
  for (int32_t level = 0; level < kSplashLevels; ++level) {
    levelSpeeds[level] =
        absoluteSetting(file, p + "disturbance_level" + std::to_string(level + 1) + "_speed");
    for (int32_t variant = 0; variant < kSplashVariants; ++variant) {
      const std::string key =
          std::string(soundPrefix) + std::to_string(level + 1) + "_" + std::to_string(variant + 1);
      loadSound(sounds[level][variant], file, key);
    }
  }
  randomnessPitch = absoluteSetting(file, p + "disturbance_randomness_pitch");
  randomnessVolume = absoluteSetting(file, p + "disturbance_randomness_volume");
}

void SplashSet::release() {
  for (auto& level : sounds)
    for (auto& take : level) take.reset();
}

int32_t SplashSet::levelOf(float drop) const {
  if (drop < levelSpeeds[0]) return 0;
  if (drop < levelSpeeds[1]) return 1;
  if (drop >= levelSpeeds[2]) return 3;
  return 2;
}

bool SplashSet::levelPlaying(int32_t level) const {
  return std::any_of(sounds[level - 1].begin(), sounds[level - 1].end(),
                     [](const auto& take) { return take && take->isPlaying(); });
}

void SplashSet::select(float drop, float fraction) {
  const uint32_t variant = variantIndex();
  float volume = fraction - uniform() * randomnessVolume;
  if (volume > 0.0f) volume = std::sqrt(volume);
  const float pitch = (uniform() - 0.5f) * randomnessPitch;

  const int32_t level = levelOf(drop);
  if (level == 0 || levelPlaying(level)) return;
  std::optional<sound::SoundInstance>& take = sounds[level - 1][variant];
  if (!take) return;
  take->setVolume(volume);
  take->setPitch(pitch);
  take->rewind();
  take->play();
}

}  // namespace water_sound_rules
