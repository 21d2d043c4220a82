#pragma once
// The level's decoration sprites: still pictures and frame animations placed in the world.
// Objects with one frame are kept in the still list, animations in the animated list;
// triggers search both for their targets and movers carry them. Each frame the objects near
// the view are queued on their layer (0 to 4) in texture order, and the game draws each
// layer's queue right after that layer's geometry: layers 0 and 1 behind the water, 2 to 4
// in front of it.

#include <array>
#include <cstdint>
#include <list>
#include <span>
#include <string_view>
#include <vector>

#include "common/vector2.h"
#include "game/platform/texture_handle.h"

struct LevelObject {
  bool enabled = true;  // drawn only when set
  uint32_t id = 0;
  int32_t layer = 0;
  std::vector<TextureHandle> frames;
  int32_t frameCount = 1;
  int32_t frame = 0;
  float frameTime = 0.0f;
  Vec2 position;
  Vec2 offset;  // set by a mover that carries the object
  bool mirrored = false;
  bool stopped = true;
  int32_t playCount = 0;  // 0 loops for ever; n plays n times and rests on the last frame
  int32_t playsDone = 0;

  // Takes the picture named `textureName`. A name with "_FRAME" names an animation: every
  // file of the name's folder matching the name up to "_FRAME", any text and the name's
  // extension becomes a frame, in the order of their paths.
  void setSprite(std::string_view textureName);
  // The frame shown now; nullptr for an object without frames.
  const TextureHandle* currentFrame() const;
};

namespace level_objects {

constexpr int32_t kLayerCount = 5;
constexpr std::string_view kAnimationConfigPath = "cfg\\animation.cfg";

// Shuts down what ran before, registers the console entries and reads "animationSpeeds".
void initialise();
void shutdown();
// Lists the object by its frame count; an object without frames is dropped.
void addObject(LevelObject object);
// Every animation stopped at its first frame, every object enabled and unmoved; the console
// switches back to their starting values.
void resetObjects();
std::list<LevelObject>& stillObjects();
std::list<LevelObject>& animatedObjects();

// Advances every running animation by at most one frame.
void step(float dt);
// Queues the enabled objects near the view (or all of them, with "ObjectsCull" off) on their
// layers, in texture order. Nothing is queued with "ObjectsDraw" off.
void cullAndQueue();
// Layer `layer`'s queue; drawLayer empties it.
std::span<const LevelObject* const> layerQueue(int32_t layer);
void clearLayerQueue(int32_t layer);
// The "ObjectsDrawIds" switch.
bool drawIdsFlag();

}  // namespace level_objects
