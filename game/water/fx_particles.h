#pragma once
// Effect emitters: decorative point sources of short-lived sprites (splashes, sparks,
// smoke). Each emitter takes its look and behaviour from an emitter settings file.

#include <cstdint>
#include <list>
#include <string_view>
#include <vector>

#include "game/level/vector2.h"
#include "game/platform/texture_handle.h"

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
  int32_t pendingBursts = 0;  // bursts triggers asked for, emitted at the emitter's next step
  bool active = true;
  bool useAlphaBlending = true;  // false: additive
  float velocity1 = 0.0f, velocity2 = 0.0f;
  float size1 = 0.0f, size2 = 0.0f;
  float liveTime1 = 1.0f, liveTime2 = 1.0f;
  Colour4 color1, color2;
  float gravity1 = 0.0f, gravity2 = 0.0f;
  std::vector<TextureHandle> textures;

  void setPosition(float x, float y) { position = {x, y}; }
  // (0, 0) picks a random direction from the game's random source.
  void setDirection(float dx, float dy);
  void setId(uint32_t newId) { id = newId; }
  // Reads the settings file; a missing key keeps its field.
  void loadSettings(std::string_view fileName);
};

namespace fx_particles {

void initialise();
void shutdown();
FxEmitter createEmitter();
void addEmitter(FxEmitter emitter);
// The emitters in the order added; elements keep their addresses while listed.
std::list<FxEmitter>& emitterList();

}  // namespace fx_particles
