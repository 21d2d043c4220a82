#pragma once
// A level's life without a window: its start, the one tick that the game's main loop and the
// headless simulator both run, its restart and its end. The window adds only what is its own
// around the tick (input, drawing), so the two can never drift apart.

#include <cstdint>
#include <optional>
#include <string_view>

#include "game/simulation/camera_steering.h"
#include "game/simulation/tick_profile.h"
#include "game/water/particle_group.h"

namespace simulation {

// One simulation step covers at most this many seconds: a frame rate below 30 slows the game
// down instead of letting particles jump through walls.
constexpr float kLongestStep = 0.033333335f;
// One tick covers at most this many seconds: after a longer stall (the machine asleep, the
// window dragged) the camera and the finish move on by a second, not by the whole stall.
constexpr float kLongestTick = 1.0f;
// The disc of water every level starts with, around the level's water start.
constexpr float kStartWaterRadius = 10.0f;
constexpr int32_t kStartWaterAmount = 128;

// What the player is doing around the world; the simulator plays with the defaults.
struct TickControls {
  bool paused = false;
  // The arrow keys and the mouse turn the view (not while the console has the keyboard).
  bool inputEnabled = true;
  // The turn input to take instead of the platform's, when played back; null reads it live.
  const camera::TurnInput* playedInput = nullptr;
};

struct TickReport {
  bool stepped = false;    // the world moved on this tick
  uint32_t stepCost = 0;   // the step's wall time in nanoseconds, low 32 bits
  // The turn input the camera took on this tick, if it took any.
  std::optional<camera::TurnInput> turnInput;
  // How far the run-time clock moved on between the level clock's reading before this tick
  // and its reading on it: what the level time is made of.
  uint32_t clockStepMs = 0;
};

// Reads the surfaces and loads the level, then begins it in play (no menu open); false, with
// the previous level untouched, when the level file was refused.
bool startLevel(std::string_view mapPath);
// Brings a freshly loaded level's managers up in their order, places its water and starts the
// camera's opening move. `afterParticles` (may be null) runs right after the particle manager
// starts: the window brings the particle renderer up there.
void beginLevel(void (*afterParticles)() = nullptr);
// One step of the world's stages (movers, water, triggers) over `t` seconds, at most
// kLongestStep of them.
void step(float t);
// One tick of `t` seconds, in the game's order: the world's step (not while paused, in a menu
// of the screen flow,
// during the camera's opening move or after the finish has run out), the sound sources and
// the water sounds, the camera with the whole of `t` (not in a menu), then the level clock,
// the win and the loss, asked after the camera has moved. `t` is from 0 to kLongestTick.
TickReport tick(float t, const TickControls& controls = {});
// Puts the running level, its water and its camera back to their start.
void restartLevel();
// Takes the level and its water down.
void endLevel();

// The times of the world's stages, by name, over the last second; a test sets its clock.
tick_profile::Profile& tickProfile();

// FNV-1a (64 bits) over the little-endian bytes of each free particle's position, velocity
// and temperature in list order, then of each group's centre, velocity, temperature, particle
// count (32 bits) and its particles' positions.
uint64_t particleStateHash(const ParticleList& particles, const ParticleGroupList& groups);
// The running level's water hashed so; equal runs give equal hashes, in the window and
// headless.
uint64_t stateHash();

}  // namespace simulation
