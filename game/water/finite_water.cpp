#include "game/water/finite_water.h"

#include <cmath>

namespace {

bool finite(Vec2 v) {
  return std::isfinite(v.x) && std::isfinite(v.y);
}

std::string text(Vec2 v) {
  return "(" + std::to_string(v.x) + ", " + std::to_string(v.y) + ")";
}

std::optional<std::string> particleProblem(const Particle& p) {
  if (!finite(p.position)) return "position " + text(p.position);
  if (!finite(p.velocity)) return "velocity " + text(p.velocity);
  if (!std::isfinite(p.temperature)) return "temperature " + std::to_string(p.temperature);
  return std::nullopt;
}

std::optional<std::string> groupProblem(const ParticleGroup& g) {
  if (!finite(g.centre)) return "centre " + text(g.centre);
  if (!finite(g.velocity)) return "velocity " + text(g.velocity);
  if (!std::isfinite(g.temperature)) return "temperature " + std::to_string(g.temperature);
  if (!std::isfinite(g.radius)) return "radius " + std::to_string(g.radius);
  size_t index = 0;
  for (const Particle& p : g.particles) {
    if (!finite(p.position)) return "particle " + std::to_string(index) + " at " + text(p.position);
    ++index;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> nonFiniteWater(const ParticleList& particles,
                                          const ParticleGroupList& groups) {
  size_t index = 0;
  for (const Particle& p : particles) {
    if (auto problem = particleProblem(p))
      return "free particle " + std::to_string(index) + " has the " + *problem;
    ++index;
  }
  index = 0;
  for (const ParticleGroup& g : groups) {
    if (auto problem = groupProblem(g))
      return "ice group " + std::to_string(index) + " has the " + *problem;
    ++index;
  }
  return std::nullopt;
}
