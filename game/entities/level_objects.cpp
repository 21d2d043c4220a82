#include "game/entities/level_objects.h"

#include <string>

#include "common/data_path.h"
#include "game/console/console.h"

namespace {

constexpr std::string_view kFallbackSprite = "DEFAULT_SPRITE";

std::list<LevelObject> stillObjects_;
std::list<LevelObject> animatedObjects_;

}  // namespace

void LevelObject::setSprite(std::string_view textureName) {
  frames.clear();
  for (std::string& frameName : findFrameFiles(textureName))
    frames.emplace_back(std::move(frameName), std::string(kFallbackSprite));
  frameCount = static_cast<int32_t>(frames.size());
  frame = 0;
}

namespace level_objects {

void initialise() {
  shutdown();
  console::print("\nInitialising level objects manager..");
}

void shutdown() {
  console::print("\nShutting down level objects manager..");
  stillObjects_.clear();
  animatedObjects_.clear();
}

void addObject(LevelObject object) {
  if (object.frameCount < 1) return;
  auto& list = object.frameCount == 1 ? stillObjects_ : animatedObjects_;
  list.push_back(std::move(object));
}

void resetObjects() {
  for (auto* list : {&stillObjects_, &animatedObjects_}) {
    for (LevelObject& object : *list) {
      object.frame = 0;
      object.frameTime = 0.0f;
      object.playsDone = 0;
      object.offset = {};
      object.stopped = true;
      object.enabled = true;
    }
  }
}

std::list<LevelObject>& stillObjects() {
  return stillObjects_;
}
std::list<LevelObject>& animatedObjects() {
  return animatedObjects_;
}

}  // namespace level_objects
