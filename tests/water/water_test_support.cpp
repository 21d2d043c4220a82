#include "water/water_test_support.h"

#include "game/level/level_data.h"
#include "game/simulation/level_loading.h"
#include "game/world/camera.h"

void WaterTest::SetUp() {
  LevelTest::SetUp();
  restartWith("");
}

void WaterTest::TearDown() {
  particle_manager::shutdown();
  LevelTest::TearDown();
}

void WaterTest::restartWith(const std::string& settings) {
  data_.write("cfg/water.cfg", std::string(kDefaults) + settings);
  particle_manager::initialise();
  camera::initialise();
  camera::setPosition({0.0f, 0.0f});
}

Particle& WaterTest::addParticle(Vec2 position, Vec2 velocity) {
  particle_manager::createParticles(position.x, position.y, 0.0f, 1);
  Particle& p = particle_manager::particleList().back();
  p.velocity = velocity;
  return p;
}

void WaterTest::loadLevel(std::string_view source) {
  ASSERT_TRUE(level::loadLevel(writeLevel("lev/test.swah", compiledLevel(source))));
}
