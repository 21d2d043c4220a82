#include "tools/vmr_soak/water_watch.h"

#include <algorithm>

#include "game/water/finite_water.h"

std::optional<std::string> WaterWatch::check(const ParticleList& particles,
                                             const ParticleGroupList& groups, bool madeWater) {
  if (auto problem = nonFiniteWater(particles, groups)) return problem;
  size_t count = particles.size();
  for (const ParticleGroup& g : groups) count += g.particles.size();
  const std::optional<size_t> last = lastCount_;
  lastCount_ = count;
  peakCount_ = std::max(peakCount_, count);
  if (last && count > *last && !madeWater)
    return "the water grew from " + std::to_string(*last) + " to " + std::to_string(count) +
           " particles on a tick that made none";
  return std::nullopt;
}
