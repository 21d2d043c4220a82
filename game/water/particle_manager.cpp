#include "game/water/particle_manager.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/config_file.h"
#include "common/random.h"
#include "common/text.h"
#include "game/console/console.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/particle_grid.h"
#include "game/water/particle_mover.h"
#include "game/world/camera.h"

namespace particle_manager {
namespace {

constexpr float kFullTurn = 6.2831855f;
// A particle this far outside the view (its radius plus a margin) has left the level.
constexpr float kViewMargin = 130.0f;
constexpr float kShortestKillTime = 0.0001f;

ParticleList particles_;
Settings settings_;

// ---- Console entries -------------------------------------------------------------------

float gravityVariable(float v, bool set) {
  return console::variableValue(settings_.gravity, v, set);
}
float roomTemperatureVariable(float v, bool set) {
  return console::variableValue(settings_.roomTemperature, v, set);
}
float heatTransferRateVariable(float v, bool set) {
  return console::variableValue(settings_.heatTransferRate, set ? std::clamp(v, 0.0f, 1.0f) : v,
                                set);
}
float steamRiseRateVariable(float v, bool set) {
  return console::variableValue(settings_.steamRiseRate, v, set);
}
float steamScatterRateVariable(float v, bool set) {
  return console::variableValue(settings_.steamScatterRate, v, set);
}
int32_t particleCountCommand() {
  return int32_t(particles_.size());
}

void printCreateUsage() {
  console::print(
      "\nUsage: ParticleCreate < x : number > < y : number > < radius : number > "
      "< amount : integer number, at most 8192 particles in all > ");
}

// Free particles and the frozen ones in the ice groups.
int64_t waterCount() {
  int64_t count = int64_t(particles_.size());
  for (const ParticleGroup& group : grouped_particle_mover::groupList())
    count += int64_t(group.particles.size());
  return count;
}

void particleCreateCommand(const std::string& arguments) {
  const std::vector<std::string> words = splitWords(arguments);
  if (words.size() != 4 || !isNumber(words[0]) || !isNumber(words[1]) || !isNumber(words[2]) ||
      !isInteger(words[3])) {
    printCreateUsage();
    return;
  }
  const int32_t amount = toInteger(words[3]);
  if (amount < 1) {
    console::print("\nInvalid number of particles to make");
    return;
  }
  const int64_t room = kMostWater - waterCount();
  if (amount > room) {
    console::print("\nThe water holds at most 8192 particles; there is room for ");
    console::print(std::max<int64_t>(room, 0));
    console::print(" more.");
    return;
  }
  const float x = toNumber(words[0]), y = toNumber(words[1]);
  createParticles(x, y, toNumber(words[2]), amount);
  camera::setPosition({x, y});
}

// Registered by initialise and removed by shutdown, both from this table.
const console::NamedCommand kEntries[] = {
    {"Gravity", gravityVariable, console::InReplay::kPlayed},
    {"RoomTemperature", roomTemperatureVariable, console::InReplay::kPlayed},
    {"HeatTransferRate", heatTransferRateVariable, console::InReplay::kPlayed},
    {"SteamRiseRate", steamRiseRateVariable, console::InReplay::kPlayed},
    {"SteamScatterRate", steamScatterRateVariable, console::InReplay::kPlayed},
    {"ParticleCreate", particleCreateCommand, console::InReplay::kPlayed},
    {"ParticleCount", particleCountCommand},
};

void readSettings() {
  const ConfigFile file(kWaterConfigPath);
  settings_.gravity = std::fabs(file.getFloat("gravity"));
  settings_.roomTemperature = file.getFloat("roomTemperature");
  settings_.heatTransferRate = std::clamp(file.getFloat("heatTransferRate"), 0.0f, 1.0f);
  settings_.steamRiseRate = file.getFloat("steamRiseRate");
  settings_.steamScatterRate = file.getFloat("steamScatterRate");
  settings_.particleKillTime = std::max(file.getFloat("particleKillTime"), kShortestKillTime);
}

// ---- Step ------------------------------------------------------------------------------

// Water falls; steam rises against gravity and scatters sideways.
void accelerate(Particle& p, Vec2 gravity) {
  if (!p.isSteam()) {
    p.velocity += gravity;
    return;
  }
  p.velocity -= gravity * settings_.steamRiseRate;
  Vec2 scatter = gravity * settings_.steamScatterRate;
  rotate(scatter, rng::uniform() * kFullTurn);
  p.velocity += scatter;
}

struct StepFactors {
  Vec2 gravity;
  float heatKeep = 1.0f;
};

// One particle's step; false when it has to be deleted.
// The particle's values come from its grid slot, where the neighbours that moved before it
// have changed them, and go back there for the neighbours that move after it.
bool stepParticle(Particle& p, const StepFactors& f, const camera::ViewRectangle& view, float dt) {
  particle_grid::take(p);
  if (view.farOutside(p.position, kViewMargin)) return false;
  if (p.killPending) {
    p.killTimer -= dt;
    if (p.killTimer <= 0.0f) return false;
  }
  p.previousVelocity = p.velocity;
  accelerate(p, f.gravity);
  p.temperature = settings_.roomTemperature * (1.0f - f.heatKeep) + f.heatKeep * p.temperature;
  p.history3 = p.history2;
  p.history2 = p.history1;
  p.history1 = p.position;
  particle_mover::moveParticle(p, dt);
  p.speed = length(p.velocity + p.push);
  p.push = {};
  particle_grid::give(p);
  return true;
}

void stepParticles(float dt) {
  const StepFactors factors{gravityStep(dt), std::pow(1.0f - settings_.heatTransferRate, dt)};
  const camera::ViewRectangle view;
  for (auto it = particles_.begin(); it != particles_.end();) {
    if (stepParticle(*it, factors, view, dt))
      ++it;
    else
      it = deleteParticle(it);
  }
  particle_grid::returnShared();
}

Particle newParticle(float x, float y, float radius) {
  Particle p;
  const float r = rng::uniform() * radius;
  const float u1 = rng::uniform();
  const Vec2 direction = normalised({u1 - 0.5f, rng::uniform() - 0.5f});
  p.position = Vec2{x, y} + direction * r;
  p.history1 = p.history2 = p.history3 = p.position;
  p.temperature = settings_.roomTemperature;
  return p;
}

}  // namespace

void initialise() {
  shutdown();
  console::print("\nInitialising particle manager..");
  particle_mover::initialise();
  grouped_particle_mover::initialise();
  console::addCommands(kEntries);
  readSettings();
}

void shutdown() {
  console::print("\nShutting down particle manager..");
  particles_.clear();
  particle_mover::shutdown();
  grouped_particle_mover::shutdown();
  console::removeCommands(kEntries);
}

void createParticles(float x, float y, float radius, int32_t amount) {
  for (int32_t i = 0; i < amount; ++i) particles_.push_back(newParticle(x, y, radius));
}

ParticleList::iterator deleteParticle(ParticleList::iterator particle) {
  particle_grid::unlink(*particle);
  return particles_.erase(particle);
}

void markForKill(Particle& particle) {
  if (particle.killPending) return;
  particle.killPending = true;
  particle.killTimer = settings_.particleKillTime;
}

void deleteAllWater() {
  particles_.clear();
  particle_grid::reset(particles_);
  grouped_particle_mover::deleteAllGroups();
}

void step(float dt) {
  particle_grid::link(particles_);
  stepParticles(dt);
  particle_mover::cohesionPass(particles_, dt);
  grouped_particle_mover::freezePass(particles_);
  grouped_particle_mover::groupStep(dt, particles_);
}

ParticleList& particleList() {
  return particles_;
}
size_t particleCount() {
  return particles_.size();
}
const Settings& settings() {
  return settings_;
}

Vec2 gravityStep(float dt) {
  return camera::turned(Vec2{0.0f, 1.0f}) * settings_.gravity * dt;
}

}  // namespace particle_manager
