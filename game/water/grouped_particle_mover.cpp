// Ice groups. A freezing particle seeds a group and captures, depth first, every particle
// within 12 units of a captured one, frozen, water or steam alike, so a connected body
// freezes in the tick its first particle does. A group moves as one disc in sub-steps of
// 0.75 of its radius; its particles ride along and settle towards their places in the
// disc. Groups whose discs come within 2 units merge into the larger; a group that warms
// above freezing releases its particles as water with its own velocity.

#include "game/water/grouped_particle_mover.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/config_file.h"
#include "common/random.h"
#include "game/console/console.h"
#include "game/level/collision_tree.h"
#include "game/water/particle_grid.h"
#include "game/water/particle_manager.h"
#include "game/water/particle_mover.h"
#include "game/world/camera.h"

namespace grouped_particle_mover {
namespace {

constexpr float kCaptureDistanceSquared = 144.0f;  // 12 units, the end included
constexpr float kStartRadius = 2.0f;
constexpr float kSubStepShare = 0.75f;
constexpr float kMergeGap = 2.0f;
constexpr float kViewMargin = 128.0f;
constexpr float kPi = 3.14159265f;

struct Settings {
  float particleGroupInterpolation = 0.0f;
  float groupExpandSpeed = 0.0f;
  float iceGravityStrength = 0.0f;
};

ParticleGroupList groups_;
Settings settings_;
bool drawFlag_ = false;

int32_t groupCountCommand() {
  return int32_t(groups_.size());
}
bool groupDrawVariable(bool value, bool set) {
  return console::variableValue(drawFlag_, value, set);
}

const console::NamedCommand kEntries[] = {
    {"ParticleGroupCount", groupCountCommand},
    {"ParticleGroupDraw", groupDrawVariable},
};

void readSettings() {
  const ConfigFile file(particle_manager::kWaterConfigPath);
  settings_.particleGroupInterpolation =
      std::clamp(file.getFloat("particleGroupInterpolation"), 0.0f, 1.0f);
  settings_.groupExpandSpeed = std::clamp(file.getFloat("groupExpandSpeed"), 0.0f, 1.0f);
  settings_.iceGravityStrength = file.getFloat("iceGravityStrenght");
}

float radiusFor(size_t particles) {
  return 2.0f * std::sqrt(float(particles));
}

// ---- Freezing --------------------------------------------------------------------------

bool withinCapture(const Particle& a, const Particle& b) {
  const Vec2 d = a.position - b.position;
  return d.x * d.x + d.y * d.y <= kCaptureDistanceSquared;
}

// A random place in the disc.
void placeInGroup(Particle& p) {
  const float r1 = rng::uniform();
  const float r2 = rng::uniform();
  p.iceDirection = normalised({r1 - 0.5f, r2 - 0.5f});
  p.iceFraction = rng::uniform();
}

// Moves every particle of `from` within reach of `p` to the front of the group, remembering
// each for the capture from it.
void captureFrom(const Particle& p, ParticleList& from, ParticleGroup& group,
                 std::vector<Particle*>& remembered, bool unlink) {
  for (auto it = from.begin(); it != from.end();) {
    if (!withinCapture(*it, p)) {
      ++it;
      continue;
    }
    if (unlink) particle_grid::unlink(*it);
    auto next = std::next(it);
    group.particles.splice(group.particles.begin(), from, it);
    placeInGroup(group.particles.front());
    remembered.push_back(&group.particles.front());
    it = next;
  }
}

// Depth first: the frozen particles near p, then the free ones, then from each of those in
// the order taken. An explicit stack, since a long chain of particles would be as deep.
void capture(const Particle& seed, ParticleList& frozen, ParticleList& freeList,
             ParticleGroup& group) {
  struct Frame {
    std::vector<Particle*> taken;
    size_t next = 0;
  };
  std::vector<Frame> stack(1);
  captureFrom(seed, frozen, group, stack.back().taken, false);
  captureFrom(seed, freeList, group, stack.back().taken, true);
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next == top.taken.size()) {
      stack.pop_back();
      continue;
    }
    const Particle& p = *top.taken[top.next++];
    Frame frame;
    captureFrom(p, frozen, group, frame.taken, false);
    captureFrom(p, freeList, group, frame.taken, true);
    stack.push_back(std::move(frame));
  }
}

ParticleGroup& seedGroup(ParticleList& frozen) {
  ParticleGroup& group = groups_.emplace_back();
  group.particles.splice(group.particles.end(), frozen, frozen.begin());
  Particle& seed = group.particles.front();
  group.radius = group.targetRadius = kStartRadius;
  group.centre = seed.position;
  group.velocity = seed.velocity;
  group.previousVelocity = seed.previousVelocity;
  group.push = seed.push;
  group.temperature = seed.temperature;
  seed.speed = 0.0f;
  placeInGroup(seed);
  return group;
}

// ---- Group step ------------------------------------------------------------------------

// Moves the disc in sub-steps of 0.75 of its radius, colliding after each, then slides.
void moveGroup(ParticleGroup& g, float dt) {
  const Vec2 v = g.velocity + g.push;
  if (v.x == 0.0f && v.y == 0.0f) return;
  const Vec2 d = v * dt;
  float remaining = length(d);
  const float subStep = kSubStepShare * g.radius;
  auto collide = [&g] {
    if (collision::collideCircle(g.centre, g.radius)) g.touchedGeometry = true;
  };
  if (remaining > subStep) {
    const Vec2 unit = d / remaining;
    while (remaining > 0.0f) {
      const float stepLength = std::min(remaining, subStep);
      g.centre += unit * stepLength;
      collide();
      remaining -= stepLength;
    }
  } else {
    g.centre += d;
    collide();
  }
  const Vec2 n = collision::contactDirection();
  g.velocity -= n * dot(n, g.velocity);
}

struct StepFactors {
  Vec2 gravity;
  float heatKeep = 1.0f;
  float interpolationKeep = 1.0f;
  float expandKeep = 1.0f;
};

// The particles ride along with the disc and settle towards their places and its warmth.
void carryParticles(ParticleGroup& g, Vec2 moved, float keep) {
  for (Particle& q : g.particles) {
    q.position += moved;
    const Vec2 place = g.centre + q.iceDirection * q.iceFraction * g.radius;
    q.position = q.position * keep + place * (1.0f - keep);
    q.temperature = keep * q.temperature + (1.0f - keep) * g.temperature;
    q.killPending = g.killPending;
    q.killTimer = g.killTimer;
    q.push = g.push;
  }
}

// Releases the particles as water at the front of the free list.
void melt(ParticleGroup& g, ParticleList& freeList) {
  while (!g.particles.empty()) {
    Particle& q = g.particles.front();
    q.velocity = g.velocity;
    q.previousVelocity = g.previousVelocity;
    q.push = {};
    q.temperature = g.temperature;
    q.speed = length(q.velocity);
    q.history1 = q.history2 = q.history3 = q.position;
    q.inGrid = false;
    q.cellX = q.cellY = 0;
    q.gridSlot = -1;
    freeList.splice(freeList.begin(), g.particles, g.particles.begin());
  }
}

// One group's step; false when the group is to be deleted (its particles with it, unless
// melting has handed them to the free list).
bool stepGroup(ParticleGroup& g, const StepFactors& f, const camera::ViewRectangle& view, float dt,
               ParticleList& freeList) {
  g.touchedGeometry = false;
  g.previousVelocity = g.velocity;
  if (view.farOutside(g.centre, g.radius + kViewMargin)) return false;
  if (g.killPending) {
    g.killTimer -= dt;
    if (g.killTimer <= 0.0f) return false;
  }
  g.velocity += f.gravity * settings_.iceGravityStrength;
  g.temperature = particle_manager::settings().roomTemperature * (1.0f - f.heatKeep) +
                  f.heatKeep * g.temperature;
  g.radius = f.expandKeep * g.radius + (1.0f - f.expandKeep) * g.targetRadius;
  const Vec2 before = g.centre;
  moveGroup(g, dt);
  carryParticles(g, g.centre - before, f.interpolationKeep);
  g.push = {};
  if (g.temperature <= kIceTemperature && !g.particles.empty()) return true;
  melt(g, freeList);
  return false;
}

// The smaller disc's particles join the larger one's; on a tie the later group takes them.
void mergeTouching() {
  for (auto a = groups_.begin(); a != groups_.end(); ++a) {
    for (auto b = std::next(a); b != groups_.end(); ++b) {
      if (!(a->targetRadius + b->targetRadius + kMergeGap > distance(a->centre, b->centre)))
        continue;
      ParticleGroup& into = b->targetRadius >= a->targetRadius ? *b : *a;
      ParticleGroup& from = &into == &*b ? *a : *b;
      into.particles.splice(into.particles.end(), from.particles);
      into.targetRadius = radiusFor(into.particles.size());
    }
  }
}

}  // namespace

void initialise() {
  shutdown();
  console::print("\nInitialising grouped particle mover..");
  drawFlag_ = false;
  console::addCommands(kEntries);
  readSettings();
}

void shutdown() {
  console::print("\nShutting down grouped particle mover..");
  groups_.clear();
  drawFlag_ = false;
  console::removeCommands(kEntries);
}

void freezePass(ParticleList& freeList) {
  ParticleList frozen;
  for (auto it = freeList.begin(); it != freeList.end();) {
    auto next = std::next(it);
    if (it->temperature <= kIceTemperature) {
      particle_grid::unlink(*it);
      frozen.splice(frozen.end(), freeList, it);
    }
    it = next;
  }
  while (!frozen.empty()) {
    ParticleGroup& group = seedGroup(frozen);
    capture(group.particles.front(), frozen, freeList, group);
    group.targetRadius = std::sqrt(float(group.particles.size()) * (2.0f * 2.0f * kPi) / kPi);
  }
}

void groupStep(float dt, ParticleList& freeList) {
  const particle_manager::Settings& s = particle_manager::settings();
  const StepFactors factors{
      particle_manager::gravityStep(dt), std::pow(1.0f - s.heatTransferRate, dt),
      std::pow(settings_.particleGroupInterpolation, dt), std::pow(settings_.groupExpandSpeed, dt)};
  const camera::ViewRectangle view;
  for (auto it = groups_.begin(); it != groups_.end();) {
    if (stepGroup(*it, factors, view, dt, freeList))
      ++it;
    else
      it = groups_.erase(it);
  }
  mergeTouching();
}

void markGroupForKill(ParticleGroup& group) {
  if (group.killPending) return;
  group.killPending = true;
  group.killTimer = particle_manager::settings().particleKillTime;
}

void deleteAllGroups() {
  groups_.clear();
}

ParticleGroupList& groupList() {
  return groups_;
}
bool drawGroupsFlag() {
  return drawFlag_;
}

uint32_t totalWater() {
  size_t total = particle_manager::particleCount();
  for (const ParticleGroup& group : groupList()) total += group.particles.size();
  return uint32_t(total);
}

}  // namespace grouped_particle_mover
