#include <gtest/gtest.h>

#include <cmath>

#include "common/config_file.h"
#include "game/console/console.h"
#include "game/water/grouped_particle_mover.h"
#include "game/world/camera.h"
#include "water/water_test_support.h"

namespace {

using particle_manager::particleList;

class ParticleManagerTest : public WaterTest {
 protected:
  std::string run(const std::string& line) {
    takePrinted();
    console::execute(line);
    return takePrinted();
  }
};

TEST_F(ParticleManagerTest, SettingsTakeTheirRulesFromTheFileAndTheConsole) {
  restartWith("gravity = -300 heatTransferRate = 1.5 particleKillTime = 0");
  EXPECT_EQ(particle_manager::settings().gravity, 300.0f);
  EXPECT_EQ(particle_manager::settings().heatTransferRate, 1.0f);
  EXPECT_EQ(particle_manager::settings().particleKillTime, 0.0001f);
  console::execute("Gravity -300");
  EXPECT_EQ(particle_manager::settings().gravity, -300.0f);
  console::execute("HeatTransferRate 2");
  EXPECT_EQ(particle_manager::settings().heatTransferRate, 1.0f);
  console::execute("HeatTransferRate -1");
  EXPECT_EQ(particle_manager::settings().heatTransferRate, 0.0f);
}

// test_water carries the shipped water.cfg, as the game does.
TEST_F(ParticleManagerTest, AWaterFileOfNoUseGivesWayToTheShippedSettings) {
  data_.write("cfg/water.cfg", "\x7f\x01 = \xfe garbage = 3");
  particle_manager::initialise();
  const ConfigFile shipped = ConfigFile::shippedCopy("cfg\\water.cfg").value();
  EXPECT_GT(particle_manager::settings().gravity, 0.0f) << "none without the shipped copy";
  EXPECT_EQ(particle_manager::settings().gravity, shipped.getFloat("gravity"));
}

TEST_F(ParticleManagerTest, TemperaturesDriftByTheTransferRate) {
  restartWith("heatTransferRate = 1");
  addParticle({0, 0}).temperature = 80.0f;
  particle_manager::step(0.02f);
  EXPECT_EQ(particleList().front().temperature, 20.0f);
  restartWith("heatTransferRate = 0");
  addParticle({0, 0}).temperature = 80.0f;
  for (int i = 0; i < 10; ++i) particle_manager::step(0.02f);
  EXPECT_EQ(particleList().front().temperature, 80.0f);
  restartWith("heatTransferRate = 0.5");
  addParticle({0, 0}).temperature = 80.0f;
  particle_manager::step(1.0f);
  EXPECT_FLOAT_EQ(particleList().front().temperature, 50.0f);
}

TEST_F(ParticleManagerTest, WaterFallsSteamRisesAndIceFreezes) {
  restartWith("gravity = 100");
  Particle& water = addParticle({-100, 0});
  water.temperature = 99.99f;
  Particle& steam = addParticle({0, 0});
  steam.temperature = 100.0f;
  Particle& ice = addParticle({100, 0});
  ice.temperature = 0.0f;
  particle_manager::step(0.01f);
  ASSERT_EQ(particleList().size(), 2u);
  EXPECT_GT(particleList().front().velocity.y, 0.0f);
  EXPECT_LT(particleList().back().velocity.y, 0.0f);
  ASSERT_EQ(grouped_particle_mover::groupList().size(), 1u);
}

TEST_F(ParticleManagerTest, GravityTurnsWithTheCamera) {
  restartWith("gravity = 100");
  camera::setAngle(90.0f);
  addParticle({0, 0});
  particle_manager::step(0.01f);
  const Vec2 v = particleList().front().velocity;
  EXPECT_NEAR(v.x, -1.0f, 1e-5f);
  EXPECT_NEAR(v.y, 0.0f, 1e-5f);
}

TEST_F(ParticleManagerTest, ParticlesFarOutsideTheViewAreDeleted) {
  const float left = -camera::viewWidth() * 0.5f;
  addParticle({left - 131.0f, 0});
  addParticle({left - 129.0f, 0});
  particle_manager::step(0.01f);
  ASSERT_EQ(particleList().size(), 1u);
  EXPECT_EQ(particleList().front().position.x, left - 129.0f);
}

TEST_F(ParticleManagerTest, KillTimersRunOnceStarted) {
  restartWith("particleKillTime = 0.05");
  Particle& p = addParticle({0, 0});
  particle_manager::markForKill(p);
  particle_manager::step(0.03f);
  particle_manager::markForKill(particleList().front());
  EXPECT_FLOAT_EQ(particleList().front().killTimer, 0.02f) << "a second mark keeps the timer";
  particle_manager::step(0.03f);
  EXPECT_TRUE(particleList().empty());
  restartWith("particleKillTime = 0");
  particle_manager::markForKill(addParticle({0, 0}));
  particle_manager::step(0.001f);
  EXPECT_TRUE(particleList().empty());
}

TEST_F(ParticleManagerTest, CreatedParticlesScatterOverTheDisc) {
  particle_manager::createParticles(50.0f, -20.0f, 10.0f, 200);
  ASSERT_EQ(particleList().size(), 200u);
  for (const Particle& p : particleList()) {
    EXPECT_LE(distance(p.position, {50.0f, -20.0f}), 10.0001f);
    EXPECT_EQ(p.history3, p.position);
    EXPECT_EQ(p.temperature, 20.0f);
  }
}

TEST_F(ParticleManagerTest, ParticleCreateChecksItsArgumentsAndMovesTheCamera) {
  run("ParticleCreate 10 20 0 5");
  ASSERT_EQ(particleList().size(), 5u);
  for (const Particle& p : particleList()) EXPECT_EQ(p.position, (Vec2{10, 20}));
  EXPECT_EQ(camera::position(), (Vec2{10, 20}));
  EXPECT_NE(run("ParticleCreate 10 20 5 0").find("\nInvalid number of particles to make"),
            std::string::npos);
  const std::string usage =
      "\nUsage: ParticleCreate < x : number > < y : number > < radius : number > "
      "< amount : integer number, at most 8192 particles in all > ";
  EXPECT_NE(run("ParticleCreate 10 20 5").find(usage), std::string::npos);
  EXPECT_NE(run("ParticleCreate 10 20 5 2.5").find(usage), std::string::npos);
  // The limit counts the water already there; a count past it makes nothing at all.
  EXPECT_NE(run("ParticleCreate 200 200 10 2147483647")
                .find("\nThe water holds at most 8192 particles; there is room for 8187 more."),
            std::string::npos);
  EXPECT_EQ(run("ParticleCreate 10 20 5 8187"), "");
  EXPECT_NE(run("ParticleCreate 10 20 5 1").find("room for 0 more."), std::string::npos);
  EXPECT_EQ(run("ParticleCount"), "\nParticleCount is 8192");
}

TEST_F(ParticleManagerTest, ShutdownRemovesEverything) {
  addParticle({0, 0});
  particle_manager::shutdown();
  EXPECT_TRUE(particleList().empty());
  EXPECT_NE(run("Gravity").find("UNKNOWN COMMAND"), std::string::npos);
  EXPECT_NE(run("ParticleGroupCount").find("UNKNOWN COMMAND"), std::string::npos);
  particle_manager::initialise();
}

}  // namespace
