#pragma once
// Water tests run the particle manager in a fresh data folder with settings of their own,
// the camera centred on the origin and no level unless a test loads one.

#include <string>

#include "game/water/particle_manager.h"
#include "level/level_test_support.h"

class WaterTest : public LevelTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes water.cfg (the given text after the defaults below, so later keys win) and
  // starts the manager and the camera again.
  void restartWith(const std::string& settings);
  // A particle appended to the free list at `position`, at rest, at room temperature.
  Particle& addParticle(Vec2 position, Vec2 velocity = {});
  // Loads a level compiled from `source` (see compiledLevel).
  void loadLevel(std::string_view source);

  static constexpr const char* kDefaults =
      "gravity = 0 roomTemperature = 20 heatTransferRate = 0 steamRiseRate = 1 "
      "steamScatterRate = 0 particleKillTime = 0.5 particleGroupInterpolation = 0.5 "
      "groupExpandSpeed = 0.5 iceGravityStrenght = 1 ";
};
