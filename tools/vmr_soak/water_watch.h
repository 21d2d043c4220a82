#pragma once
// Watches the water after every tick of a soak: each free particle and each ice group stays
// finite, and the amount of water (free particles plus those frozen into groups) never grows
// on a tick where nothing made water. Water is made only by a level's start or restart, a
// ParticleCreate and a respawn at the checkpoint; melting and freezing move particles
// between the free list and the groups without changing the total.

#include <cstddef>
#include <optional>
#include <string>

#include "game/water/particle_group.h"

class WaterWatch {
 public:
  // The first thing wrong with the water after a tick, or nothing. `madeWater`: something
  // before or during the tick may have added water. Every call counts as a tick.
  std::optional<std::string> check(const ParticleList& particles, const ParticleGroupList& groups,
                                   bool madeWater);
  // Forgets the last count: the next level starts with water of its own.
  void newLevel() { lastCount_.reset(); }
  size_t peakCount() const { return peakCount_; }

 private:
  std::optional<size_t> lastCount_;
  size_t peakCount_ = 0;
};
