#include "sim_test_levels.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "game/level/level_file_format.h"
#include "tools/levelc/level_source.h"

namespace {

const char* const kConfigurationFiles[] = {"water.cfg", "camera.cfg", "surfaces.cfg"};

const char* const kBasinSource = R"({
  "waterStart": [100, 60],
  "cameraStart": [100, 100],
  "polygons": [
    {"texture": "gfx\\stone.tga", "surface": "stone", "layer": 2,
     "points": [[-40, -40], [0, -40], [0, 200], [200, 200], [200, -40], [240, -40],
                [240, 240], [-40, 240]]},
    {"texture": "gfx\\stone.tga", "surface": "stone", "layer": 2,
     "points": [[0, -40], [200, -40], [200, 0], [0, 0]]}
  ]
})";

}  // namespace

void copyGameConfiguration(const TempDirectory& data) {
  for (const char* name : kConfigurationFiles) {
    const std::string bytes = readFileBytes(std::filesystem::path(VELLMOOR_CONFIG_DIR) / name);
    ASSERT_FALSE(bytes.empty()) << name;
    data.write(std::string("cfg/") + name, bytes);
  }
}

void writeLevel(const TempDirectory& data, std::string_view relativePath,
                std::string_view levelSource) {
  const level_source::CompileResult compiled = level_source::compileLevelSource(levelSource);
  ASSERT_FALSE(compiled.error) << *compiled.error;
  const std::vector<uint8_t> bytes = level_file::writeLevelFile(compiled.contents);
  data.write(relativePath, std::string(bytes.begin(), bytes.end()));
}

void prepareBasinFolder(const TempDirectory& data) {
  copyGameConfiguration(data);
  writeLevel(data, kBasinLevel, kBasinSource);
}
