#include "game/entities/sound_sources.h"

#include <algorithm>

#include "game/console/console.h"

namespace {

sound_sources::SourceMap looping_;
sound_sources::SourceMap oneShot_;

void setStoppedById(uint32_t id, bool stopped) {
  for (auto* map : {&looping_, &oneShot_}) {
    const auto found = map->find(id);
    if (found == map->end()) continue;
    for (SoundSource& source : found->second) source.stopped = stopped;
  }
}

}  // namespace

namespace sound_sources {

void initialise() {
  shutdown();
  console::print("\nInitialising sound source manager..");
}

void shutdown() {
  console::print("\nShutting down sound source manager..");
  looping_.clear();
  oneShot_.clear();
}

void addSource(SoundSource source) {
  auto& map = source.looping ? looping_ : oneShot_;
  map[source.id].push_back(std::move(source));
}

void resetSources() {
  for (auto* map : {&looping_, &oneShot_})
    for (auto& [id, sources] : *map)
      for (SoundSource& source : sources) source.stopped = true;
}

void startUntriggered(std::span<const uint32_t> triggeredIds) {
  for (auto& [id, sources] : looping_) {
    if (std::find(triggeredIds.begin(), triggeredIds.end(), id) != triggeredIds.end()) continue;
    for (SoundSource& source : sources) source.stopped = false;
  }
}

void playById(uint32_t id) {
  setStoppedById(id, false);
}

void stopById(uint32_t id) {
  setStoppedById(id, true);
}

void stopAll() {
  // The records hold no playing sound yet; the flags are left alone so that a restart
  // decides again which sources play.
}

const SourceMap& loopingSources() {
  return looping_;
}
const SourceMap& oneShotSources() {
  return oneShot_;
}

}  // namespace sound_sources
