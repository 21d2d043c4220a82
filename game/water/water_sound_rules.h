#pragma once
// What the water, ice and steam sound controllers share: their settings file, when their
// loops may sound, how a loop follows its volume and how a splash of the body is chosen.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/config_file.h"
#include "game/platform/sound_instance.h"

namespace water_sound_rules {

constexpr std::string_view kConfigPath = "cfg\\game_sfx.cfg";
// Volumes below this are silence: the loop is stopped rather than left playing inaudibly.
constexpr float kSilent = 0.001f;
// A body of this many particles counts as a full one.
constexpr float kFullBody = 128.0f;

// What the game loop knows about play that the water cannot read for itself.
struct PlayState {
  bool paused = false;
  bool menuOpen = false;
};

// Loops may sound only while the level runs: not paused, no menu, the level not yet over.
bool loopsAllowed(const PlayState& play);

// The share of a full body that `count` particles make.
inline float fraction(int64_t count) {
  return static_cast<float>(count) / kFullBody;
}

// A silent volume stops a playing loop; any other sets the volume and starts the loop when
// it isn't playing. A missing instance is left alone.
void followLoop(std::optional<sound::SoundInstance>& loop, float volume);
void stopLoop(std::optional<sound::SoundInstance>& loop);

// Creates the instance of the file named by `key` unless it exists already, so a level
// restart keeps what was loaded. A missing key leaves it without one, with a console line.
void loadSound(std::optional<sound::SoundInstance>& instance, const ConfigFile& file,
               std::string_view key);

// The magnitude of a setting; the file's sign means nothing for thresholds and widths.
float absoluteSetting(const ConfigFile& file, std::string_view key);
// A per-second share, kept within 0..1 so that raising it to dt never grows a volume.
float shareSetting(const ConfigFile& file, std::string_view key);

// A uniform number in [0, 1] and two random bits, from the sounds' own source: the sounds
// never take numbers from the world's source, so a run plays out the same with or without
// them.
float uniform();
uint32_t variantIndex();
void seed(uint32_t value);

constexpr int32_t kSplashLevels = 3;
constexpr int32_t kSplashVariants = 4;

// The splashes of one body (water or ice): three levels of the drop in average speed per
// step, four takes of each.
struct SplashSet {
  std::array<float, kSplashLevels> levelSpeeds{};  // the least drop of levels 1, 2 and 3
  float randomnessPitch = 0.0f;
  float randomnessVolume = 0.0f;
  std::array<std::array<std::optional<sound::SoundInstance>, kSplashVariants>, kSplashLevels>
      sounds;

  // Reads "<prefix>disturbance_level<L>_speed", "<prefix>disturbance_randomness_pitch" and
  // "..._volume", and the takes "<soundPrefix><L>_<V>".
  void read(const ConfigFile& file, std::string_view prefix, std::string_view soundPrefix);
  void release();
  // 0 for no splash, else the level 1..3 that `drop` reaches.
  int32_t levelOf(float drop) const;
  bool levelPlaying(int32_t level) const;
  // Draws a take, a volume and a pitch, and plays the take once when the drop reaches a
  // level none of whose takes is sounding: a splash never cuts off one of its own level.
  void select(float drop, float fraction);
};

}  // namespace water_sound_rules
