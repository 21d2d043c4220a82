#include "game/simulation/level_loading.h"

#include <vector>

#include "game/console/console.h"
#include "game/entities/checkpoint_times.h"
#include "game/entities/level_objects.h"
#include "game/entities/movers.h"
#include "game/entities/sound_sources.h"
#include "game/entities/triggers.h"
#include "game/level/forces.h"
#include "game/level/level_data.h"
#include "game/simulation/level_file.h"

namespace level {
namespace {

// Polygons a trigger takes away or brings back are drawn by the dynamic renderer.
void markTriggerTargets() {
  for (const Trigger& trigger : triggers::triggerList()) {
    if (trigger.triggerType != triggers::kEntityRemove &&
        trigger.triggerType != triggers::kEntityAdd)
      continue;
    for (Polygon& polygon : levelPolygons())
      if (polygon.id == trigger.targetId) polygon.switchable = true;
  }
}

void markCarriedPolygons() {
  for (const Mover& mover : movers::moverList())
    for (Polygon& polygon : levelPolygons())
      if (polygon.id == mover.id) polygon.moving = true;
}

// Looping sound sources that no trigger starts play from the beginning, each at once at
// the volume its distance to the camera gives.
void startUntriggeredSounds() {
  std::vector<uint32_t> triggeredIds;
  for (const Trigger& trigger : triggers::triggerList())
    if (trigger.triggerType == triggers::kSoundPlay) triggeredIds.push_back(trigger.targetId);
  sound_sources::startUntriggered(triggeredIds);
  sound_sources::update();
}

}  // namespace

bool loadLevel(std::string_view fileName) {
  console::printHeading("Level loading");
  console::print("\nLoading level data...");
  if (!loadLevelFile(fileName)) return false;
  markTriggerTargets();
  markCarriedPolygons();
  startGeometry();
  checkpoint_times::initialise();
  associateEdges();
  startUntriggeredSounds();
  registerDebugEntries();
  return true;
}

void clearLevel() {
  console::print("\nClearing level data...");
  stopGeometry();
  level_objects::shutdown();
  forces::shutdown();
  stopDynamicRenderer();
  triggers::shutdown();
  sound_sources::shutdown();
  checkpoint_times::shutdown();
  movers::shutdown();
  clearPolygons();
}

void restartLevel() {
  restartGeometry();
  level_objects::resetObjects();
  movers::reset();
  sound_sources::resetSources();
  triggers::resetTriggers();
  startUntriggeredSounds();
}

}  // namespace level
