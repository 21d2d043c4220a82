#include "game/entities/level_objects.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/config_file.h"
#include "common/data_path.h"
#include "common/text.h"
#include "game/console/console.h"
#include "game/world/camera.h"

namespace {

constexpr std::string_view kFallbackSprite = "DEFAULT_SPRITE";
// The view square of the cull reaches this share of the view's longer side beyond the centre,
// so large sprites just off screen and a turned view still show.
constexpr float kCullReach = 0.65f;

std::list<LevelObject> stillObjects_;
std::list<LevelObject> animatedObjects_;
// Filled by cullAndQueue, emptied by drawing; they keep their memory between frames.
std::array<std::vector<const LevelObject*>, level_objects::kLayerCount> layerQueues_;
float animationSpeed_ = 0.0f;  // frames per second of every animation

bool objectsDraw_ = true;
bool objectsCull_ = true;
bool objectsDrawIds_ = false;

// ---- Console entries -------------------------------------------------------------------

bool objectsDrawVariable(bool value, bool set) {
  return console::variableValue(objectsDraw_, value, set);
}

bool objectsCullVariable(bool value, bool set) {
  return console::variableValue(objectsCull_, value, set);
}

bool objectsDrawIdsVariable(bool value, bool set) {
  return console::variableValue(objectsDrawIds_, value, set);
}

int32_t objectsCountCommand() {
  return static_cast<int32_t>(stillObjects_.size() + animatedObjects_.size());
}

void printCreateUsage() {
  console::print("\nUSAGE: ObjectCreate ");
  console::print("< x : number > ");
  console::print("< y : number > ");
  console::print("< object id : integer > ");
  console::print("< textureName : string >");
}

// "ObjectCreate x y id textureName"
void objectCreateCommand(const std::string& arguments) {
  const std::vector<std::string> words = splitWords(arguments);
  if (words.size() != 4 || !isNumber(words[0]) || !isNumber(words[1]) || !isInteger(words[2])) {
    printCreateUsage();
    return;
  }
  LevelObject object;
  object.position = {toNumber(words[0]), toNumber(words[1])};
  object.id = static_cast<uint32_t>(toInteger(words[2]));
  object.setSprite(words[3]);
  level_objects::addObject(std::move(object));
}

// Registered by initialise and removed by shutdown, both from this table.
const console::NamedCommand kEntries[] = {
    {"ObjectsDraw", objectsDrawVariable},
    {"ObjectsCull", objectsCullVariable},
    {"ObjectsCount", objectsCountCommand},
    {"ObjectsDrawIds", objectsDrawIdsVariable},
    {"ObjectCreate", objectCreateCommand, console::InReplay::kPlayed},
};

void resetSwitches() {
  objectsDraw_ = true;
  objectsCull_ = true;
  objectsDrawIds_ = false;
}

// ---- Animation --------------------------------------------------------------------------

// At most one frame change per step: the rest of the frame time is dropped.
void advance(LevelObject& object, float dt, float speed) {
  object.frameTime += dt;
  if (object.frameTime < 1.0f / speed) return;
  object.frameTime = 0.0f;
  if (++object.frame < object.frameCount) return;
  object.frame = 0;
  if (object.playCount <= 0 || ++object.playsDone < object.playCount) return;
  object.playsDone = 0;
  object.stopped = true;
  object.frame = object.frameCount - 1;
}

// ---- Culling ----------------------------------------------------------------------------

struct CullSquare {
  Vec2 centre;
  float halfSize = 0.0f;
};

// Touching the square counts as inside.
bool overlaps(const LevelObject& object, const TextureHandle& frame, const CullSquare& view) {
  const Vec2 centre = object.position + object.offset;
  const float halfWidth = float(frame.width()) * 0.5f;
  const float halfHeight = float(frame.height()) * 0.5f;
  return std::abs(centre.x - view.centre.x) <= view.halfSize + halfWidth &&
         std::abs(centre.y - view.centre.y) <= view.halfSize + halfHeight;
}

void queueList(const std::list<LevelObject>& list, const CullSquare* view) {
  for (const LevelObject& object : list) {
    const TextureHandle* frame = object.currentFrame();
    if (!object.enabled || frame == nullptr) continue;
    if (view != nullptr && !overlaps(object, *frame, *view)) continue;
    layerQueues_[size_t(std::clamp(object.layer, 0, level_objects::kLayerCount - 1))].push_back(
        &object);
  }
}

// Objects sharing a texture come out together, so drawing binds each texture once; objects of
// one texture keep their list order. An insertion sort: a layer holds a few dozen objects,
// and it needs no memory of its own.
void sortByTexture(std::vector<const LevelObject*>& queue) {
  for (size_t i = 1; i < queue.size(); ++i) {
    const LevelObject* object = queue[i];
    size_t j = i;
    for (; j > 0 && *object->currentFrame() < *queue[j - 1]->currentFrame(); --j)
      queue[j] = queue[j - 1];
    queue[j] = object;
  }
}

}  // namespace

void LevelObject::setSprite(std::string_view textureName) {
  frames.clear();
  for (std::string& frameName : findFrameFiles(textureName))
    frames.emplace_back(std::move(frameName), std::string(kFallbackSprite));
  frameCount = static_cast<int32_t>(frames.size());
  frame = 0;
  if (frames.empty()) {
    console::print("\nNo animation frames found for ");
    console::print(textureName);
  }
}

const TextureHandle* LevelObject::currentFrame() const {
  if (frame < 0 || size_t(frame) >= frames.size()) return nullptr;
  return &frames[size_t(frame)];
}

namespace level_objects {

void initialise() {
  shutdown();
  console::print("\nInitialising level objects manager..");
  resetSwitches();
  console::addCommands(kEntries);
  const ConfigFile file(kAnimationConfigPath);
  animationSpeed_ = std::abs(file.getFloat("animationSpeeds"));
}

void shutdown() {
  console::print("\nShutting down level objects manager..");
  for (int32_t layer = 0; layer < kLayerCount; ++layer) clearLayerQueue(layer);
  stillObjects_.clear();
  animatedObjects_.clear();
  console::removeCommands(kEntries);
}

void addObject(LevelObject object) {
  if (object.frameCount < 1) return;
  auto& list = object.frameCount == 1 ? stillObjects_ : animatedObjects_;
  list.push_back(std::move(object));
}

void resetObjects() {
  resetSwitches();
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

void step(float dt) {
  if (animationSpeed_ <= 0.0f) return;
  for (LevelObject& object : animatedObjects_)
    if (!object.stopped) advance(object, dt, animationSpeed_);
}

void cullAndQueue() {
  if (!objectsDraw_) return;
  const CullSquare view{
      camera::centre(),
      kCullReach * std::max(camera::viewWidth(), camera::viewHeight()) * camera::zoom()};
  const CullSquare* cull = objectsCull_ ? &view : nullptr;
  queueList(stillObjects_, cull);
  queueList(animatedObjects_, cull);
  for (auto& queue : layerQueues_) sortByTexture(queue);
}

std::span<const LevelObject* const> layerQueue(int32_t layer) {
  return layerQueues_.at(size_t(layer));
}

void clearLayerQueue(int32_t layer) {
  layerQueues_.at(size_t(layer)).clear();
}

bool drawIdsFlag() {
  return objectsDrawIds_;
}

}  // namespace level_objects
