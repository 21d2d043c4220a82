// Any bytes as a level file: loading must never crash, hang or allocate beyond what the
// file's size justifies, and a level that loads must build its collision tree and answer
// queries. A refused file must leave the level that ran before in place.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "game/console/console.h"
#include "game/level/collision_tree.h"
#include "game/level/level_data.h"
#include "game/simulation/level_loading.h"

namespace {

// The fuzzer runs in a scratch folder of its own, so the level file can live there.
const std::string kLevelPath = "fuzz_level.swah";

void exerciseLevel() {
  Vec2 probes[] = {{0, 0}, {50, 50}, {-100, 30}, {1000, -1000}};
  for (Vec2& probe : probes) {
    collision::collideCircle(probe, 2.0f);
    Vec2 end = probe + Vec2{300.0f, 170.0f};
    collision::castRay(probe, end);
  }
  for (Polygon& polygon : level::levelPolygons()) level::setPolygonSolid(polygon, false);
  level::restartLevel();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  console::initialise();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::ofstream(kLevelPath, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (level::loadLevel(kLevelPath)) exerciseLevel();
  console::clearOutput();
  return 0;
}
