#pragma once
// Effect emitters: decorative point sources of short-lived sprites (splashes, sparks,
// smoke). Each emitter takes its look and behaviour from an emitter settings file. Emitters
// near the view release one sprite per interval; triggers start, stop and burst them. The
// sprites fly under the turned gravity, fade out over their life and never touch the water.

#include <cstdint>
#include <list>
#include <span>
#include <string_view>
#include <vector>

#include "common/vector2.h"
#include "game/platform/texture_handle.h"
#include "game/water/sprite_batch.h"

struct Colour4 {
  float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
};

struct FxEmitter {
  uint32_t id = 0;
  Vec2 position;
  Vec2 direction{1.0f, 0.0f};  // mean emission direction, unit length
  float interval = 1.0f;       // seconds between emissions, never below 0.001
  float timeAccumulator = 0.0f;
  float spread = 0.0f;  // full angle of the emission cone, radians
  int32_t burstSize = 16;
  bool active = true;
  bool useAlphaBlending = true;  // false: additive
  float velocity1 = 0.0f, velocity2 = 0.0f;
  float size1 = 0.0f, size2 = 0.0f;
  float liveTime1 = 1.0f, liveTime2 = 1.0f;
  Colour4 color1, color2;
  float gravity1 = 0.0f, gravity2 = 0.0f;
  std::vector<TextureHandle> textures;
  int32_t liveSprites = 0;  // its sprites still alive; at most kMostSpritesPerEmitter

  void setPosition(float x, float y) { position = {x, y}; }
  // (0, 0) picks a random direction from the game's random source.
  void setDirection(float dx, float dy);
  void setId(uint32_t newId) { id = newId; }
  // Reads the settings file; a missing key keeps its field, and every number is held to a
  // finite range (lifetimes at most a minute, speeds, sizes and gravity factors bounded).
  void loadSettings(std::string_view fileName);
};

// One live sprite; 64 bytes. The sprite keeps its texture's OpenGL name rather than a
// handle: its emitter holds the handle, and sprites never outlive the emitters (both go
// when the level is cleared), so ten thousand sprites cost no reference counting. For the
// same reason it may point at its emitter, whose count of live sprites it lowers as it dies.
struct FxParticle {
  Vec2 position;
  Vec2 velocity;  // units per second
  Colour4 color;  // alpha is the starting alpha
  float size = 0.0f;
  float lifetime = 0.0f;
  float lifeLeft = 0.0f;
  float gravityFactor = 0.0f;
  uint32_t textureId = 0;
  bool useAlphaBlending = true;
  FxEmitter* source = nullptr;
};

// The sprites of one texture and one blend mode, ready to be drawn in one call.
struct FxSpriteRun {
  uint32_t textureId = 0;
  bool additive = false;
  SpriteBatch batch;
};

namespace fx_particles {

// Sprites alive at once, per emitter and in all. The shipped effects keep a few dozen each and
// a few hundred in a level; one emitter may hold its largest burst, and the whole stays at
// the load the frame budget is set for. An emitter at a cap simply skips its emissions.
constexpr int32_t kMostSpritesPerEmitter = 4096;
constexpr size_t kMostSprites = 10000;

void initialise();
void shutdown();
FxEmitter createEmitter();
void addEmitter(FxEmitter emitter);
// The emitters in the order added; elements keep their addresses while listed.
std::list<FxEmitter>& emitterList();
const std::vector<FxParticle>& particleList();

// Releases one sprite, unless the emitter has no texture or a cap is reached. The emitter
// must stay listed while its sprites live.
void emit(FxEmitter& emitter);
// Releases burstSize sprites at once, whether the emitter is active or not.
void burst(FxEmitter& emitter);
// Emitters near the view release their sprites; every sprite ages, moves and falls.
void step(float dt);

// Sorts the sprites near the view into runs of one texture and one blend mode, ordered by
// texture, colours faded by the life left. The runs keep their memory from frame to frame.
std::span<const FxSpriteRun> buildSpriteRuns();
// The "FxEmitterDraw" switch of the emitters' debug view.
bool emitterDrawFlag();

}  // namespace fx_particles
