// Scenario levels, one per mechanic, run headless through the simulator's run module with the
// game's own settings: each is a closed room a few hundred units across, so the camera keeps
// all of it in view, and the camera starts on the water, so play begins on the first tick.
// The cases assert on what happens to the water and the level, tick by tick where it counts,
// and end with the start map's documented route.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "game/console/console.h"
#include "game/entities/checkpoint_times.h"
#include "game/entities/movers.h"
#include "game/entities/triggers.h"
#include "game/level/forces.h"
#include "game/level/level_data.h"
#include "game/level/level_file_format.h"
#include "game/level/polygon.h"
#include "game/simulation/simulation.h"
#include "game/simulation/tick_profile.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/particle_manager.h"
#include "game/world/camera.h"
#include "game/world/level_record.h"
#include "test_support/temp_directory.h"
#include "tools/levelc/level_source.h"
#include "tools/vmr_sim/route_check.h"
#include "tools/vmr_sim/sim_run.h"

namespace {

constexpr float kDt = 0.0333333f;  // the simulator's default tick

const char* const kConfigurationFiles[] = {"water.cfg", "camera.cfg", "surfaces.cfg", "game.cfg",
                                           "checkPoints.cfg"};

// ---- Looking at the running level ------------------------------------------------------

struct Box {
  float minX, maxX, minY, maxY;
  bool contains(Vec2 p) const { return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY; }
};

// The plain mean of the free particles; (0, 0) without any.
Vec2 meanOfFreeWater() {
  Vec2 sum;
  const ParticleList& particles = particle_manager::particleList();
  for (const Particle& p : particles) sum += p.position;
  return particles.empty() ? Vec2{} : sum / float(particles.size());
}

size_t freeWaterInside(const Box& box) {
  const ParticleList& particles = particle_manager::particleList();
  return size_t(std::count_if(particles.begin(), particles.end(),
                              [&](const Particle& p) { return box.contains(p.position); }));
}

size_t liveFreeWater() {
  const ParticleList& particles = particle_manager::particleList();
  return size_t(std::count_if(particles.begin(), particles.end(),
                              [](const Particle& p) { return !p.killPending; }));
}

Polygon& polygonWithId(uint32_t id) {
  for (Polygon& polygon : level::levelPolygons())
    if (polygon.id == id) return polygon;
  ADD_FAILURE() << "no polygon " << id;
  return level::levelPolygons().front();
}

// How many of the polygon's collision edges collide now, and how many it has.
struct EdgeCount {
  size_t active = 0;
  size_t total = 0;
};

EdgeCount edgesOf(const Polygon& polygon) {
  EdgeCount count;
  if (const auto* edges = level::polygonEdges(polygon)) {
    count.total = edges->size();
    for (const CollisionEdge* edge : *edges) count.active += edge->active ? 1 : 0;
  }
  return count;
}

Force& forceWithId(uint32_t id) {
  for (Force& force : forces::forceList())
    if (force.id == id) return force;
  ADD_FAILURE() << "no force " << id;
  return forces::forceList().front();
}

Trigger& triggerOfType(std::string_view type) {
  for (Trigger& trigger : triggers::triggerList())
    if (trigger.type->name == type) return trigger;
  ADD_FAILURE() << "no trigger of type " << type;
  return triggers::triggerList().front();
}

// The level's time score for a clock reading: full up to 160 s, then falling linearly to
// 1000 at 480 s.
uint32_t expectedTimeScore(uint32_t ms) {
  const double late = std::clamp((double(ms) - 160000.0) / 320000.0, 0.0, 1.0);
  return 1000u + uint32_t(std::trunc(435000.0 * (1.0 - late)));
}

// 64000 for the 128 particles a level starts with, in proportion for fewer.
int32_t expectedWaterScore(uint32_t water) {
  return int32_t(std::trunc(64000.0 * double(water) / 128.0));
}

// ---- Fixture ---------------------------------------------------------------------------

// A data folder with the game's settings, entered, with a running console. Levels are
// compiled into it on demand; the running one is taken down after the test.
class ScenarioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kConfigurationFiles) {
      const std::string bytes =
          readFileBytes(std::filesystem::path(VELLMOOR_DATA_DIR) / "cfg" / name);
      ASSERT_FALSE(bytes.empty()) << name;
      data_.write(std::string("cfg/") + name, bytes);
    }
    inside_ = std::make_unique<WorkingDirectory>(data_.path());
    console::initialise();
  }
  void TearDown() override {
    if (started_) simulation::endLevel();
    console::shutdown();
  }

  // Runs the level compiled from `sourceFile` for `ticks` ticks with the script; the level
  // stays running afterwards so that the case can look at it.
  SimSummary run(const std::filesystem::path& sourceFile, int64_t ticks,
                 std::string_view scriptText = "", const TickObserver& observer = {},
                 uint64_t seed = 1) {
    const std::string levelPath = "lev/" + sourceFile.stem().string() + ".swah";
    compileLevel(sourceFile, levelPath);
    SimRunSettings settings;
    settings.level = levelPath;
    settings.ticks = ticks;
    settings.dt = kDt;
    settings.seed = seed;
    std::string error;
    const std::optional<SimScript> script = parseSimScript(scriptText, error);
    EXPECT_TRUE(script) << error;
    settings.script = script.value_or(SimScript{});
    const std::optional<SimSummary> summary = runSimulation(settings, observer);
    started_ = started_ || summary.has_value();
    EXPECT_TRUE(summary) << levelPath << " was refused";
    return summary.value_or(SimSummary{});
  }

  SimSummary runScenario(std::string_view name, int64_t ticks, std::string_view scriptText = "",
                         const TickObserver& observer = {}, uint64_t seed = 1) {
    return run(std::filesystem::path(SCENARIO_LEVEL_DIR) / (std::string(name) + ".json"), ticks,
               scriptText, observer, seed);
  }

 private:
  void compileLevel(const std::filesystem::path& sourceFile, const std::string& levelPath) {
    const std::string source = readFileBytes(sourceFile);
    ASSERT_FALSE(source.empty()) << sourceFile;
    const level_source::CompileResult compiled = level_source::compileLevelSource(source);
    ASSERT_FALSE(compiled.error) << sourceFile << ": " << *compiled.error;
    const std::vector<uint8_t> bytes = level_file::writeLevelFile(compiled.contents);
    data_.write(levelPath, std::string(bytes.begin(), bytes.end()));
  }

  TempDirectory data_;
  std::unique_ptr<WorkingDirectory> inside_;
  bool started_ = false;
};

// ---- Lift ------------------------------------------------------------------------------

using LiftTest = ScenarioTest;

constexpr float kLiftTravel = 200.0f;

TEST_F(LiftTest, CarriesAllTheWaterUpByItsTravel) {
  std::optional<Vec2> atBottom;
  std::optional<Vec2> atTop;
  size_t waterAtTop = 0;
  runScenario("lift", 170, "", [&](int64_t) {
    const Mover& lift = movers::moverList().front();
    if (lift.position == 0.0f) atBottom = meanOfFreeWater();
    if (!atTop && lift.position == lift.distance) {
      atTop = meanOfFreeWater();
      waterAtTop = grouped_particle_mover::totalWater();
    }
  });
  ASSERT_TRUE(atBottom && atTop) << "the lift never reached the top";
  EXPECT_EQ(waterAtTop, 128u) << "the lift lost water on the way";
  EXPECT_NEAR(atBottom->y - atTop->y, kLiftTravel, 5.0f);
  EXPECT_NEAR(atTop->x, 200.0f, 10.0f) << "the water stays in the cup";
}

// ---- Crusher ---------------------------------------------------------------------------

using CrusherTest = ScenarioTest;

// The block where the crusher leaves it: pressed onto the floor.
constexpr Box kCrusherBlockDown = {180.0f, 220.0f, 240.0f, 300.0f};

TEST_F(CrusherTest, KillsTheWaterCaughtUnderTheBlockAndSparesTheRest) {
  size_t mostMarked = 0;
  const SimSummary summary = runScenario("crusher", 260, "", [&](int64_t) {
    mostMarked = std::max(mostMarked, particle_manager::particleCount() - liveFreeWater());
  });
  ASSERT_EQ(summary.moverPositions.size(), 1u);
  EXPECT_EQ(summary.moverPositions[0], (Vec2{0.0f, 200.0f})) << "the block reached the floor";
  EXPECT_GT(mostMarked, 0u) << "crushed water is marked for killing first";
  EXPECT_LT(summary.freeParticles, 128u) << "crushed water is gone";
  EXPECT_GT(summary.freeParticles, 0u) << "water beside the block survives";
  EXPECT_EQ(liveFreeWater(), summary.freeParticles) << "the killing has run its course";
  EXPECT_EQ(freeWaterInside(kCrusherBlockDown), 0u);
  EXPECT_EQ(summary.respawns, 0);
}

// ---- Switchable walls ------------------------------------------------------------------

using SwitchableWallTest = ScenarioTest;

constexpr uint32_t kFloorId = 30;
constexpr float kFloorTop = 140.0f;
constexpr float kFloorBottom = 160.0f;
// Turned upside down, the water falls back up against whatever is above it.
constexpr std::string_view kTurnOver = "at 120 angle 180\n";

TEST_F(SwitchableWallTest, RemovedWallLetsTheWaterFallThroughWhereItStood) {
  std::optional<EdgeCount> edgesWhenPassed;
  bool solidWhenPassed = true;
  bool enabledWhenPassed = true;
  const SimSummary summary = runScenario("switchable_wall", 40, "", [&](int64_t) {
    const ParticleList& water = particle_manager::particleList();
    const bool allBelow = std::all_of(
        water.begin(), water.end(), [](const Particle& p) { return p.position.y > kFloorBottom; });
    if (edgesWhenPassed || !allBelow) return;
    const Polygon& floor = polygonWithId(kFloorId);
    edgesWhenPassed = edgesOf(floor);
    solidWhenPassed = floor.solid;
    enabledWhenPassed = floor.enabled;
  });
  ASSERT_TRUE(edgesWhenPassed) << "the water never passed the floor";
  EXPECT_FALSE(solidWhenPassed);
  EXPECT_FALSE(enabledWhenPassed);
  EXPECT_GT(edgesWhenPassed->total, 0u);
  EXPECT_EQ(edgesWhenPassed->active, 0u);
  EXPECT_EQ(summary.freeParticles, 128u);
}

TEST_F(SwitchableWallTest, AddedWallHoldsTheWaterAndTheSpentRemovalLeavesItInPlace) {
  const SimSummary summary = runScenario("switchable_wall", 260, kTurnOver);
  const Polygon& floor = polygonWithId(kFloorId);
  EXPECT_TRUE(floor.solid);
  EXPECT_TRUE(floor.enabled);
  const EdgeCount edges = edgesOf(floor);
  EXPECT_EQ(edges.active, edges.total);
  // Turned over, the water rests against the floor's underside, inside the removing area.
  EXPECT_EQ(summary.freeParticles, 128u);
  EXPECT_EQ(freeWaterInside({0.0f, 400.0f, kFloorBottom, 190.0f}), 128u);
  EXPECT_EQ(triggerOfType("Entity_remove_1").fireCount, 1);
  EXPECT_EQ(triggerOfType("Entity_add_1").fireCount, 1);
}

TEST_F(SwitchableWallTest, RestartArmsTheSpentTriggersAgain) {
  bool removedAfterRestart = false;
  const SimSummary summary = runScenario(
      "switchable_wall", 320, std::string(kTurnOver) + "at 200 restart\n", [&](int64_t tick) {
        if (tick > 200 && !polygonWithId(kFloorId).enabled) removedAfterRestart = true;
      });
  EXPECT_EQ(summary.cameraAngle, 0.0f);
  // The water landed on the floor again, removed it again, fell to the bottom and added it
  // back again.
  EXPECT_TRUE(removedAfterRestart);
  EXPECT_EQ(freeWaterInside({0.0f, 400.0f, 380.0f, 400.0f}), 128u);
  EXPECT_TRUE(polygonWithId(kFloorId).enabled);
  EXPECT_EQ(triggerOfType("Entity_remove_1").fireCount, 1);
  EXPECT_EQ(triggerOfType("Entity_add_1").fireCount, 1);
}

TEST_F(SwitchableWallTest, RestartWhileTheWallIsRemovedPutsItBack) {
  bool removedBeforeRestart = false;
  runScenario("switchable_wall", 31, "at 30 restart\n", [&](int64_t tick) {
    if (tick == 30) removedBeforeRestart = !polygonWithId(kFloorId).enabled;
  });
  ASSERT_TRUE(removedBeforeRestart);
  // One tick after the restart the water is still well above the floor.
  EXPECT_LT(meanOfFreeWater().y, kFloorTop - 20.0f);
  const Polygon& floor = polygonWithId(kFloorId);
  EXPECT_TRUE(floor.enabled);
  // Movers read the flag: a carried wall left non-solid would let the water through.
  EXPECT_TRUE(floor.solid);
  const EdgeCount edges = edgesOf(floor);
  EXPECT_EQ(edges.active, edges.total);
}

// ---- Fan -------------------------------------------------------------------------------

using FanTest = ScenarioTest;

constexpr uint32_t kFanForceId = 40;

TEST_F(FanTest, BlowsTheWaterAlongTheFloorWhileItsForceIsActive) {
  std::optional<Vec2> whenRemoved;
  const SimSummary summary = runScenario("fan", 60, "", [&](int64_t) {
    if (!whenRemoved && !forceWithId(kFanForceId).active) whenRemoved = meanOfFreeWater();
  });
  ASSERT_TRUE(whenRemoved) << "the water never reached the far end";
  // It started at x = 100 on a level floor.
  EXPECT_GT(whenRemoved->x, 300.0f);
  EXPECT_EQ(summary.freeParticles, 128u);
}

TEST_F(FanTest, StopsPushingOnceItsForceIsRemoved) {
  // Leant left, gravity pulls with a third of the force's strength; only a removed force
  // lets the water run back through the fan's area to the left wall.
  const SimSummary summary = runScenario("fan", 220, "at 100 angle 20\n");
  EXPECT_FALSE(forceWithId(kFanForceId).active);
  EXPECT_LT(meanOfFreeWater().x, 40.0f);
  EXPECT_EQ(summary.freeParticles, 128u);
}

TEST_F(FanTest, RestartPutsTheRemovedForceBack) {
  std::optional<int64_t> removedAgain;
  runScenario("fan", 130, "at 60 restart\n", [&](int64_t tick) {
    if (tick > 60 && !removedAgain && !forceWithId(kFanForceId).active) removedAgain = tick;
  });
  EXPECT_TRUE(removedAgain) << "after the restart the fan blows the water to the far end again";
  EXPECT_GT(meanOfFreeWater().x, 300.0f);
}

// ---- Heater and cooler -----------------------------------------------------------------

using TemperatureTest = ScenarioTest;

TEST_F(TemperatureTest, HeaterTurnsTheWaterToSteamThatRises) {
  size_t steamAfterAThirdOfASecond = 0;
  const SimSummary summary = runScenario("heater", 120, "", [&](int64_t tick) {
    if (tick == 10) steamAfterAThirdOfASecond = summariseState().steamParticles;
  });
  EXPECT_EQ(steamAfterAThirdOfASecond, 0u) << "heating to 100 degrees takes a second";
  EXPECT_EQ(summary.steamParticles, 128u);
  EXPECT_EQ(summary.freeParticles, 128u);
  // It started on the floor at y = 300 and has risen to the ceiling at y = 0.
  EXPECT_LT(meanOfFreeWater().y, 10.0f);
}

TEST_F(TemperatureTest, CoolerFreezesTheWaterIntoOneLumpOnTheFloor) {
  const SimSummary summary = runScenario("cooler", 150);
  EXPECT_EQ(summary.freeParticles, 0u);
  ASSERT_EQ(summary.iceGroups, 1u);
  EXPECT_EQ(summary.iceParticles, 128u);
  const ParticleGroup& lump = grouped_particle_mover::groupList().front();
  for (const Particle& p : lump.particles)
    ASSERT_LE(length(p.position - lump.centre), lump.radius + 0.5f) << "a particle left the lump";
  EXPECT_NEAR(lump.centre.y + lump.radius, 300.0f, 3.0f) << "the lump rests on the floor";
}

// ---- Kill area -------------------------------------------------------------------------

using KillAreaTest = ScenarioTest;

TEST_F(KillAreaTest, KillsAllTheWaterThenItComesBackAtTheStart) {
  std::optional<int64_t> allMarked;
  std::optional<int64_t> respawned;
  size_t waterAtRespawn = 0;
  float farthestFromStart = 0.0f;
  runScenario("kill_area", 60, "", [&](int64_t tick) {
    if (!allMarked && liveFreeWater() == 0) allMarked = tick;
    if (respawned || level_record::respawnCount() == 0) return;
    respawned = tick;
    waterAtRespawn = particle_manager::particleCount();
    for (const Particle& p : particle_manager::particleList())
      farthestFromStart = std::max(farthestFromStart, length(p.position - Vec2{200, 150}));
  });
  ASSERT_TRUE(allMarked) << "the water was never all marked for killing";
  ASSERT_TRUE(respawned);
  EXPECT_GT(*respawned, *allMarked);
  // The marked water lives on for the kill time, 0.4 s, before it is gone.
  EXPECT_NEAR(double(*respawned - *allMarked) * kDt, 0.4, 2.0 * kDt);
  EXPECT_EQ(waterAtRespawn, 128u);
  EXPECT_LE(farthestFromStart, 10.0f);
  EXPECT_EQ(level_record::respawnCount(), 1);
}

// ---- Checkpoint ------------------------------------------------------------------------

using CheckpointTest = ScenarioTest;

// The checkpoint's centre, where lost water comes back.
constexpr Vec2 kCheckpointCentre = {340.0f, 225.0f};
// Leans the room right to spill the water off the plank's end, and back before it returns.
constexpr std::string_view kSpill = "at 170 angle -30\nat 215 angle 0\n";

TEST_F(CheckpointTest, LostWaterComesBackAtTheCheckpointWithTheAmountItHadThere) {
  std::optional<int32_t> waterAtCheckpoint;
  std::optional<int64_t> respawned;
  size_t waterAtRespawn = 0;
  float farthestFromCheckpoint = 0.0f;
  uint32_t clockBeforeRespawn = 0;
  uint32_t clockAtRespawn = 0;
  int64_t ticksInPlay = 0;
  const SimSummary summary = runScenario("checkpoint", 400, kSpill, [&](int64_t tick) {
    if (!camera::isOpeningMove()) ++ticksInPlay;
    if (!waterAtCheckpoint && checkpoint_times::reachedCount() > 0)
      waterAtCheckpoint = level_record::checkpointWater();
    if (respawned) return;
    if (level_record::respawnCount() == 0) {
      clockBeforeRespawn = level_record::elapsedMs();
      return;
    }
    respawned = tick;
    clockAtRespawn = level_record::elapsedMs();
    waterAtRespawn = particle_manager::particleCount();
    for (const Particle& p : particle_manager::particleList())
      farthestFromCheckpoint =
          std::max(farthestFromCheckpoint, length(p.position - kCheckpointCentre));
  });
  ASSERT_TRUE(waterAtCheckpoint) << "the checkpoint was never reached";
  ASSERT_TRUE(respawned);
  EXPECT_EQ(summary.checkpointsReached, 1);
  EXPECT_GT(*waterAtCheckpoint, 0);
  EXPECT_LT(*waterAtCheckpoint, 128);
  EXPECT_EQ(waterAtRespawn, size_t(*waterAtCheckpoint));
  EXPECT_LE(farthestFromCheckpoint, 10.0f);
  EXPECT_EQ(summary.respawns, 1);
  // The water stays on the plank at the checkpoint this time.
  EXPECT_EQ(summary.freeParticles, size_t(*waterAtCheckpoint));
  // The clock kept the time spent before the loss and ran on after the fly-in.
  EXPECT_GE(clockAtRespawn, clockBeforeRespawn);
  EXPECT_GT(summary.levelClockMs, clockAtRespawn);
  EXPECT_NEAR(double(summary.levelClockMs), double(ticksInPlay) * kDt * 1000.0, 2.0 * kDt * 1000.0);
}

TEST_F(CheckpointTest, ReachedAgainAfterARestartItShowsTheDifference) {
  std::vector<int32_t> phasesOnReaching;
  int32_t reached = 0;
  std::string difference;
  runScenario("checkpoint", 340, "at 170 restart\n", [&](int64_t) {
    if (checkpoint_times::reachedCount() == reached) return;
    reached = checkpoint_times::reachedCount();
    phasesOnReaching.push_back(checkpoint_times::phase());
    if (checkpoint_times::phase() != 3) return;
    checkpoint_times::advanceDisplay(checkpoint_times::settings().fadeTime / 2, 0);  // fading in
    const auto shown = checkpoint_times::advanceDisplay(0, 0);
    difference = shown ? shown->text : "";
  });
  EXPECT_EQ(phasesOnReaching, (std::vector<int32_t>{1, 3})) << "the time, then the difference";
  EXPECT_TRUE(difference.starts_with("+ ") || difference.starts_with("- ")) << difference;
}

// ---- End area --------------------------------------------------------------------------

using EndAreaTest = ScenarioTest;

// Waits past 160 s, where the time score starts to fall, then pours the cup into the end
// area.
constexpr std::string_view kPourLate = "at 5000 angle -100\nat 5040 angle 0\n";

TEST_F(EndAreaTest, WaterInTheEndAreaWinsAndTheScoreFollowsTheClockAndTheWater) {
  std::optional<uint32_t> clockAtWin;
  std::optional<int64_t> overTick;
  uint64_t hashWhenOver = 0;
  bool wonBeforePouring = false;
  const SimSummary summary = runScenario("end_area", 5300, kPourLate, [&](int64_t tick) {
    if (tick <= 5000) wonBeforePouring = wonBeforePouring || level_record::isFinishing();
    if (!clockAtWin && level_record::isFinishing()) clockAtWin = level_record::elapsedMs();
    if (!overTick && level_record::isLevelOver()) {
      overTick = tick;
      hashWhenOver = summariseState().stateHash;
    }
  });
  EXPECT_FALSE(wonBeforePouring);
  ASSERT_TRUE(summary.won);
  ASSERT_TRUE(clockAtWin);
  EXPECT_GT(summary.winTick, 5040);
  EXPECT_EQ(summary.levelClockMs, *clockAtWin) << "the clock stops at the win";
  EXPECT_GT(summary.levelClockMs, 160000u);

  // The finish runs 2.5 s, then the level is over and nothing moves any more.
  ASSERT_TRUE(overTick);
  EXPECT_TRUE(summary.levelOver);
  EXPECT_GE(*overTick - summary.winTick, int64_t(std::ceil(2.5 / kDt)));
  EXPECT_LE(*overTick - summary.winTick, int64_t(std::ceil(2.5 / kDt)) + 1);
  EXPECT_EQ(summary.stateHash, hashWhenOver);

  const uint32_t water = uint32_t(summary.freeParticles + summary.iceParticles);
  EXPECT_LT(water, 128u) << "part of the water was lost in the pit";
  EXPECT_EQ(summary.timeScore, expectedTimeScore(summary.levelClockMs));
  EXPECT_LT(summary.timeScore, 436000u);
  EXPECT_EQ(summary.waterScore, expectedWaterScore(water));
  EXPECT_EQ(summary.score, int64_t(summary.timeScore) + summary.waterScore);
}

// ---- Determinism -----------------------------------------------------------------------

using DeterminismTest = ScenarioTest;

TEST_F(DeterminismTest, TheSameSeedGivesTheSameStateTwice) {
  const SimSummary first = runScenario("crusher", 240, "", {}, 5);
  const SimSummary second = runScenario("crusher", 240, "", {}, 5);
  const SimSummary otherSeed = runScenario("crusher", 240, "", {}, 6);
  EXPECT_EQ(first.stateHash, second.stateHash);
  EXPECT_EQ(first.freeParticles, second.freeParticles);
  EXPECT_NE(otherSeed.stateHash, first.stateHash) << "the seed places the starting water";
}

// ---- The tick's profile ------------------------------------------------------------------

// The profile's clock below: each reading is a millisecond after the one before, so each
// stage of a tick takes a millisecond.
tick_profile::Clock::time_point testTime;
tick_profile::Clock::time_point millisecondClock() {
  return testTime += std::chrono::milliseconds(1);
}

class TickProfileTest : public ScenarioTest {
 protected:
  void SetUp() override {
    ScenarioTest::SetUp();
    simulation::tickProfile().setClock(millisecondClock);
  }
  void TearDown() override {
    simulation::tickProfile().setClock(nullptr);
    ScenarioTest::TearDown();
  }
};

TEST_F(TickProfileTest, NamesEveryStageAndKeepsOnlyTheLastSecondsTicks) {
  const auto twoSecondsAfterTheTenth = [](int64_t ticksRun) {
    if (ticksRun == 10) testTime += std::chrono::seconds(2);
  };
  runScenario("lift", 30, "", twoSecondsAfterTheTenth);
  const std::string_view names[] = {"movers", "effects", "water", "triggers", "objects", "total"};
  const std::vector<tick_profile::StageTimes> stages = simulation::tickProfile().lastSecond();
  ASSERT_EQ(stages.size(), std::size(names));
  const std::string report = simulation::tickProfile().report();
  for (size_t i = 0; i < stages.size(); ++i) {
    const double stagesInIt = stages[i].name == "total" ? 5.0 : 1.0;
    EXPECT_EQ(stages[i].name, names[i]);
    EXPECT_EQ(stages[i].ticks, 20u) << names[i];
    EXPECT_DOUBLE_EQ(stages[i].totalMs, 20 * stagesInIt) << names[i];
    EXPECT_DOUBLE_EQ(stages[i].longestMs, stagesInIt) << names[i];
    EXPECT_NE(report.find("\n" + std::string(names[i]) + " "), std::string::npos) << report;
  }
  const console::CommandEntry* command = console::findCommand("TickProfile");
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->inReplay, console::InReplay::kRefused);
  testTime += std::chrono::seconds(1);
  EXPECT_EQ(simulation::tickProfile().report(), "\nNo tick ran in the last second.");
}

// ---- The shipped levels' routes ----------------------------------------------------------

// The tests' own level comes with the route that wins it (NAME.solution), made of what a
// player can do, and what that route achieves, as every shipped level does (their routes are
// played at many frame rates by the route matrix, in the optimised tree).
const std::filesystem::path kLevelSources = std::filesystem::path(VELLMOOR_DATA_DIR) / "lev";
const std::filesystem::path kTestLevelSources = TEST_LEVEL_DIR;

// Each level of `folder` that has a route, as its path without the extension.
std::vector<std::filesystem::path> routedLevels(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> levels;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".solution")
      levels.push_back(std::filesystem::path(entry.path()).replace_extension());
  std::sort(levels.begin(), levels.end());
  return levels;
}

class LevelRouteTest : public ScenarioTest,
                       public ::testing::WithParamInterface<std::filesystem::path> {};

TEST_P(LevelRouteTest, TheRouteWinsAsItPromisesAndStandingStillDoesNot) {
  const std::filesystem::path source = GetParam().string() + ".json";
  const std::string routeText = readFileBytes(GetParam().string() + ".solution");
  std::string error;
  const std::optional<SimScript> route = parseSimScript(routeText, error);
  ASSERT_TRUE(route) << error;
  ASSERT_TRUE(route->expected.winBy) << "a route promises a win";
  for (const ScriptAction& action : route->actions)
    EXPECT_EQ(action.kind, ScriptActionKind::kHold) << "line " << action.lineNumber
                                                    << ": only held turning keys";
  const SimSummary routed = run(source, int64_t(routeLength(*route)), routeText);
  EXPECT_EQ(unmetExpectations(route->expected, routed), "");
  const SimSummary idle = run(source, int64_t(routeLength(*route)));
  EXPECT_FALSE(idle.won) << "the level wins itself";
}

std::string levelName(const ::testing::TestParamInfo<std::filesystem::path>& level) {
  return level.param.filename().string();
}
INSTANTIATE_TEST_SUITE_P(Tests, LevelRouteTest,
                         ::testing::ValuesIn(routedLevels(kTestLevelSources)), levelName);

// The crusher's level shakes the view where the water passes under the blocks; with reduced
// motion the view stays still through the whole route, which still wins.
using ReducedMotionTest = ScenarioTest;

TEST_F(ReducedMotionTest, TheCrushersLevelShakesTheViewOnlyWithoutIt) {
  const std::filesystem::path level = kLevelSources / "10_the_crusher";
  const std::string routeText = readFileBytes(level.string() + ".solution");
  std::string error;
  const std::optional<SimScript> route = parseSimScript(routeText, error);
  ASSERT_TRUE(route) << error;
  for (const bool reduced : {false, true}) {
    camera::setReducedMotion(reduced);
    bool shook = false;
    const SimSummary summary = run(level.string() + ".json", int64_t(routeLength(*route)), routeText,
                                   [&shook](int64_t) { shook |= camera::shakeOffset() != Vec2{}; });
    EXPECT_EQ(shook, !reduced);
    EXPECT_TRUE(summary.won) << "reduced motion " << reduced;
  }
  camera::setReducedMotion(false);
}

using TestLevelTest = ScenarioTest;

const std::filesystem::path kTestLevel = kTestLevelSources / "testLevel.json";
const std::filesystem::path kTestLevelRoute = kTestLevelSources / "testLevel.solution";

TEST_F(TestLevelTest, TheRouteNeedsItsLastTurn) {
  const std::string route = readFileBytes(kTestLevelRoute);
  ASSERT_FALSE(route.empty());
  // Without the lean at the end the water rests at the foot of the bottom ramp.
  std::istringstream lines(route);
  std::string allButLast, line, last;
  while (std::getline(lines, line)) {
    if (!line.starts_with("at ")) continue;
    allButLast += last;
    last = line + "\n";
  }
  ASSERT_FALSE(last.empty());
  const SimSummary summary = run(kTestLevel, 2000, allButLast);
  EXPECT_FALSE(summary.won);
}

}  // namespace
