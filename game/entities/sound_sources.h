#pragma once
// Sounds placed in the level. Looping sources (a waterfall, a machine) are heard more
// loudly the nearer the camera is; one-shot sources play when a trigger asks. Sources are
// grouped by id in two maps, one per kind, since triggers address them by id.

#include <cstdint>
#include <list>
#include <map>
#include <span>
#include <string>

#include "game/level/vector2.h"

struct SoundSource {
  Vec2 position;
  float strength = 0.0f;  // audible radius
  std::string soundName;  // the sound file the source plays
  uint32_t id = 0;
  bool looping = false;  // loops, attenuated by distance; else plays once at full volume
  bool stopped = true;   // held silent until a trigger plays it
};

namespace sound_sources {

using SourceMap = std::map<uint32_t, std::list<SoundSource>>;

void initialise();
void shutdown();
// Files the source under its id in the looping or the one-shot map.
void addSource(SoundSource source);
// Every source stopped.
void resetSources();
// Every looping source whose id is not among `triggeredIds` plays from the start.
void startUntriggered(std::span<const uint32_t> triggeredIds);
// Every source of that id, looping or one-shot, no longer held silent ("Sound_play_1").
void playById(uint32_t id);
// Every source of that id held silent until it is played again ("Sound_stop_1").
void stopById(uint32_t id);
// Silences every source's sound when a level is over; the stopped flags stay as they are.
void stopAll();
const SourceMap& loopingSources();
const SourceMap& oneShotSources();

}  // namespace sound_sources
