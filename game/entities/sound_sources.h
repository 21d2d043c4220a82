#pragma once
// Sounds placed in the level. Looping sources (a waterfall, a machine) are heard more
// loudly the nearer the camera is; one-shot sources play when a trigger asks. Sources are
// grouped by id in two maps, one per kind, since triggers address them by id.

#include <cstdint>
#include <list>
#include <map>
#include <optional>
#include <span>
#include <string>

#include "common/vector2.h"
#include "game/platform/sound_instance.h"

struct SoundSource {
  Vec2 position;
  float strength = 0.0f;  // audible radius: full volume at the source, silence at this distance
  std::string soundName;  // the sound file the source plays
  uint32_t id = 0;
  bool looping = false;  // loops, attenuated by distance; else plays once at full volume
  bool stopped = true;   // held silent until a trigger plays it
  // The source's own voice of `soundName`; made when the source is added to the manager, so
  // records read from a level file cost no sound until they are handed over.
  std::optional<sound::SoundInstance> sound;
};

namespace sound_sources {

using SourceMap = std::map<uint32_t, std::list<SoundSource>>;

// What the game is doing. Placed sounds are heard while the level is played; with
// positional sound off, only while the menu is shown over the level instead.
struct PlayState {
  bool paused = false;
  bool menuShown = false;
  bool levelFinished = false;
};

// Below this a looping source counts as out of earshot and is stopped.
constexpr float kAudibleVolume = 0.0001f;

// Runs shutdown, then registers "SoundSourceCreate", "SoundSourceCount", "SoundSourceDraw".
void initialise();
// Deletes every source and removes the console entries.
void shutdown();
// Files the source under its id in the looping or the one-shot map and gives it its own
// voice of its sound file; a looping source that is not stopped starts at once.
void addSource(SoundSource source);
// On a level restart: every source stopped, silenced and wound back to its start.
void resetSources();
// Every looping source whose id is not among `triggeredIds` (the targets of the level's
// "Sound_play_1" triggers) starts looped at volume 0; the next update sets its volume.
void startUntriggered(std::span<const uint32_t> triggeredIds);
// "Sound_play_1": every source of that id plays, looping ones looped, one-shots once.
void playById(uint32_t id);
// "Sound_stop_1": every source of that id is silenced and held silent.
void stopById(uint32_t id);
// Silences every source's sound when a level is over; the stopped flags stay as they are.
void stopAll();

// Once per step: each looping source's volume from its distance to the camera centre;
// sources out of earshot, or while the game is paused, in its menu or finished, stop.
// The play state is remembered for `update()`.
void update(const PlayState& play);
// The same with the play state of the last step (a level loaded between steps).
void update();

// Positional sound is on after initialise and reset; off, looping sources play at full
// volume while the menu is shown over the level.
void setPositional(bool positional);
bool isPositional();
// The "SoundSourceDraw" debug flag.
bool drawFlag();

const SourceMap& loopingSources();
const SourceMap& oneShotSources();

}  // namespace sound_sources
