#include "level/level_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "game/level/level_data.h"
#include "game/simulation/level_loading.h"
#include "tools/levelc/level_source.h"

using namespace level_file;

void LevelTest::TearDown() {
  level::clearLevel();
  ConsoleTest::TearDown();
}

std::string LevelTest::writeLevel(const std::string& name, const LevelFileContents& level) {
  return writeBytes(name, writeLevelFile(level));
}

std::string LevelTest::writeBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
  std::string path = name;  // data paths may use "\", the disk only "/"
  std::replace(path.begin(), path.end(), '\\', '/');
  data_.write(path, std::string(bytes.begin(), bytes.end()));
  return name;
}

PolygonRecord squareRecord(int32_t x, int32_t y, int32_t size, int32_t surface) {
  PolygonRecord p;
  p.surface = surface;
  p.layer = 2;
  p.points = {{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}};
  return p;
}

LevelFileContents compiledLevel(std::string_view source) {
  level_source::CompileResult result = level_source::compileLevelSource(source);
  EXPECT_FALSE(result.error) << *result.error;
  return result.contents;
}

LevelFileContents richLevel() {
  return compiledLevel(R"({
    "waterStart": [50, 50],
    "cameraStart": [60, 70],
    "polygons": [
      {"texture": "gfx\\stone.tga", "surface": "stone", "layer": 2,
       "points": [[0, 0], [100, 0], [100, 100], [0, 100]]},
      {"id": 7, "surface": "metal", "layer": 2,
       "points": [[200, 0], [250, 0], [250, 50], [200, 50]]}
    ],
    "objects": [
      {"id": 3, "texture": "gfx\\lamp.tga", "layer": 1, "position": [10, 20], "mirrored": true}
    ],
    "forces": [{"id": 4, "position": [30, 40], "direction": [0, 2], "strength": 2.5}],
    "movers": [{"id": 7, "speed": 25, "start": [200, 0], "end": [200, -100]}],
    "triggers": [{"type": "Level_end_a", "corners": [[0, 0], [10, 0], [10, 10], [0, 10]]}],
    "soundSources": [
      {"id": 5, "position": [1, 2], "strength": 300, "looping": true, "file": "snd\\hum.wav"}
    ],
    "emitters": [{"id": 6, "position": [50, 60], "direction": [1, 0], "settings": "fx\\steam.cfg"}]
  })");
}
