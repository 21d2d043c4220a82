#include "game/entities/level_objects.h"

#include <string>

#include "common/data_path.h"
#include "game/console/console.h"

namespace {

constexpr std::string_view kFrameMark = "_FRAME";
constexpr std::string_view kFallbackSprite = "DEFAULT_SPRITE";

std::list<LevelObject> stillObjects_;
std::list<LevelObject> animatedObjects_;

// The frame files of an animation name such as "gfx\fire_FRAME01.tga": the files of "gfx"
// matching "fire_FRAME*.tga", each named with the folder in front.
std::vector<std::string> animationFrameNames(std::string_view name) {
  const size_t mark = name.find(kFrameMark);
  const size_t dot = name.find_last_of('.');
  const std::string_view extension = dot == std::string_view::npos ? "" : name.substr(dot);
  std::string pattern(name.substr(0, mark + kFrameMark.size()));
  pattern += '*';
  pattern += extension;
  const size_t slash = name.find_last_of('\\');
  const std::string folder(slash == std::string_view::npos ? "" : name.substr(0, slash + 1));
  std::vector<std::string> frames;
  for (const std::string& file : findMatchingFiles(pattern)) frames.push_back(folder + file);
  return frames;
}

}  // namespace

void LevelObject::setSprite(std::string_view textureName) {
  frames.clear();
  if (textureName.find(kFrameMark) == std::string_view::npos) {
    frames.emplace_back(std::string(textureName), std::string(kFallbackSprite));
  } else {
    for (std::string& frameName : animationFrameNames(textureName))
      frames.emplace_back(std::move(frameName), std::string(kFallbackSprite));
  }
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
