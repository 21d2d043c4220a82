#include "level/level_test_support.h"

#include <algorithm>

#include "game/level/level_data.h"

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

LevelFileContents richLevel() {
  LevelFileContents level;
  level.polygons.push_back(squareRecord(0, 0, 100));
  level.polygons.back().textureName = "gfx\\stone.tga";
  level.polygons.push_back(squareRecord(200, 0, 50, 1));
  level.polygons.back().id = 7;
  level.objects.push_back({3, "gfx\\lamp.tga", 1, {10, 20}, 1});
  level.forces.push_back({4, {30, 40}, 0.0f, 2.0f, 2.5f});
  level.movers.push_back({7, 25.0f, {200, 0}, {200, -100}});
  level.triggers.push_back({0, 801, 0.0f, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}});
  level.soundSources.push_back({5, {1, 2}, 300, 1, "snd\\hum.wav"});
  level.emitters.push_back({6, {50, 60}, 1.0f, 0.0f, "fx\\steam.cfg"});
  level.start = {{50, 50}, {60, 70}};
  return level;
}
