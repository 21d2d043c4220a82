// Headless runs in this process: what the state hash covers, how the summary prints, what
// the script does to a run, and long runs of water shut in a basin that has to stay there,
// finite, and never gain particles.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>

#include "game/console/console.h"
#include "game/platform/headless_services.h"
#include "game/simulation/simulation.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/particle_manager.h"
#include "game/world/camera.h"
#include "sim_test_levels.h"
#include "tools/vmr_sim/sim_run.h"

namespace {

// ---- State hash --------------------------------------------------------------------------

Particle particleAt(float x, float y) {
  Particle p;
  p.position = {x, y};
  p.velocity = {3.0f, -4.0f};
  p.temperature = 20.0f;
  return p;
}

ParticleGroup groupOf(std::initializer_list<Vec2> positions) {
  ParticleGroup group;
  group.centre = {50.0f, 60.0f};
  group.velocity = {1.0f, 0.5f};
  group.temperature = -5.0f;
  for (Vec2 p : positions) group.particles.push_back(particleAt(p.x, p.y));
  return group;
}

TEST(SimStateHashTests, IsFnv1aOverTheLittleEndianBytesOfTheFields) {
  EXPECT_EQ(simulation::particleStateHash({}, {}), 0xCBF29CE484222325ULL) << "the offset basis";
  // A single particle at (1, 2) moving (3, -4) at 20 degrees, worked out byte by byte.
  EXPECT_EQ(simulation::particleStateHash({particleAt(1.0f, 2.0f)}, {}), 0xEB600BD6E859B82BULL);
}

TEST(SimStateHashTests, ChangesWithEveryHashedFieldAndOrder) {
  const ParticleList particles = {particleAt(1, 2), particleAt(5, 6)};
  ParticleGroupList groups;
  groups.push_back(groupOf({{49, 60}, {51, 60}}));
  const uint64_t base = simulation::particleStateHash(particles, groups);

  const auto changedParticles = [&](auto change) {
    ParticleList copy = particles;
    change(copy.back());
    return simulation::particleStateHash(copy, groups);
  };
  const auto changedGroups = [&](auto change) {
    ParticleGroupList copy = groups;
    change(copy.back());
    return simulation::particleStateHash(particles, copy);
  };
  EXPECT_NE(changedParticles([](Particle& p) { p.position.y = std::nextafter(6.0f, 7.0f); }), base);
  EXPECT_NE(changedParticles([](Particle& p) { p.velocity.x = -0.0f; }), base);
  EXPECT_NE(changedParticles([](Particle& p) { p.temperature = 20.5f; }), base);
  EXPECT_NE(changedGroups([](ParticleGroup& g) { g.centre.x = 50.25f; }), base);
  EXPECT_NE(changedGroups([](ParticleGroup& g) { g.velocity.y = 0.0f; }), base);
  EXPECT_NE(changedGroups([](ParticleGroup& g) { g.temperature = -6.0f; }), base);
  EXPECT_NE(changedGroups([](ParticleGroup& g) { g.particles.front().position.x = 48.0f; }), base);
  EXPECT_NE(changedGroups([](ParticleGroup& g) { g.particles.pop_back(); }), base);
  EXPECT_NE(simulation::particleStateHash({particles.back(), particles.front()}, groups), base);

  EXPECT_EQ(changedParticles([](Particle& p) {
              p.history1 = {100, 100};
            }),
            base)
      << "history is not state";
  EXPECT_EQ(changedGroups([](ParticleGroup& g) {
              g.particles.front().velocity = {9, 9};
            }),
            base)
      << "a frozen particle is only its position";
}

// ---- Summary -------------------------------------------------------------------------------

SimSummary sampleSummary() {
  SimSummary s;
  s.ticks = 300;
  s.freeParticles = 120;
  s.iceGroups = 2;
  s.iceParticles = 8;
  s.steamParticles = 3;
  s.waterCentre = {0.1f, -2.5f};
  s.cameraPosition = {1e20f, 7.0f};
  s.cameraAngle = -30.000002f;
  s.cameraZoom = 2.5f;
  s.cameraMode = 3;
  s.stateHash = 0x00F0000000000ABCULL;
  s.msPerTick = 0.0625;
  s.won = true;
  s.winTick = 240;
  s.winSeconds = 8.25;
  s.levelClockMs = 7966;
  s.timeScore = 436000;
  s.waterScore = 60000;
  s.score = 496000;
  s.checkpointsReached = 1;
  s.respawns = 2;
  s.moverPositions = {{0, 10}, {-5.5f, 3}};
  return s;
}

TEST(SimSummaryTests, TextHasOneKeyAndValueALineWithFloatsExact) {
  EXPECT_EQ(summaryText(sampleSummary()),
            "ticks: 300\n"
            "free_particles: 120\n"
            "ice_groups: 2\n"
            "ice_particles: 8\n"
            "steam_particles: 3\n"
            "water_centre: 0.1 -2.5\n"
            "camera_position: 1e+20 7\n"
            "camera_angle: -30.000002\n"
            "camera_zoom: 2.5\n"
            "camera_mode: 3\n"
            "state_hash: 00f0000000000abc\n"
            "ms_per_tick: 0.0625\n"
            "won: true\n"
            "water_finite: true\n"
            "win_tick: 240\n"
            "win_seconds: 8.25\n"
            "level_over: false\n"
            "level_clock_ms: 7966\n"
            "time_score: 436000\n"
            "water_score: 60000\n"
            "score: 496000\n"
            "checkpoints_reached: 1\n"
            "respawns: 2\n"
            "mover_positions: 0 10, -5.5 3\n");
}

TEST(SimSummaryTests, JsonHasTheSameFieldsAndReadsBackExactly) {
  const nlohmann::json json = nlohmann::json::parse(summaryJson(sampleSummary()));
  EXPECT_EQ(json.size(), 24u);
  EXPECT_EQ(json["won"], true);
  EXPECT_EQ(json["win_tick"], 240);
  EXPECT_EQ(json["score"], 496000);
  EXPECT_EQ(json["mover_positions"][1][0].get<float>(), -5.5f);
  EXPECT_EQ(json["ticks"], 300);
  EXPECT_EQ(json["free_particles"], 120);
  EXPECT_EQ(json["ice_particles"], 8);
  EXPECT_EQ(json["steam_particles"], 3);
  EXPECT_EQ(json["water_centre"][0].get<float>(), 0.1f);
  EXPECT_EQ(json["camera_position"][0].get<float>(), 1e20f);
  EXPECT_EQ(json["camera_angle"].get<float>(), -30.000002f);
  EXPECT_EQ(json["camera_mode"], 3);
  EXPECT_EQ(json["state_hash"], "00f0000000000abc");
  EXPECT_EQ(json["ms_per_tick"].get<double>(), 0.0625);
}

TEST(SimSummaryTests, JsonWritesNullForAFloatThatIsNotFinite) {
  SimSummary s = sampleSummary();
  s.waterCentre = {NAN, INFINITY};
  s.cameraAngle = -INFINITY;
  const nlohmann::json json = nlohmann::json::parse(summaryJson(s));
  EXPECT_TRUE(json["water_centre"][0].is_null());
  EXPECT_TRUE(json["water_centre"][1].is_null());
  EXPECT_TRUE(json["camera_angle"].is_null());
  EXPECT_NE(summaryText(s).find("water_centre: nan inf\n"), std::string::npos);
}

TEST(SimSummaryTests, ARunWhoseWaterWentNonFiniteWinsNothing) {
  for (const bool finite : {true, false}) {
    SimSummary s = sampleSummary();
    noteRunEnd(s, 300, 240, finite);  // no level runs, so the water now is empty and finite
    EXPECT_EQ(s.won, finite);
    EXPECT_EQ(s.winTick, finite ? 240 : -1);
  }
}

// ---- Runs ----------------------------------------------------------------------------------

// A basin data folder, entered, with a running console; the level is taken down after.
class BasinRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(prepareBasinFolder(data_));
    inside_ = std::make_unique<WorkingDirectory>(data_.path());
    console::initialise();
  }
  void TearDown() override {
    if (started_) simulation::endLevel();
    console::shutdown();
  }

  std::optional<SimSummary> run(const SimRunSettings& settings, const TickObserver& observer = {}) {
    std::optional<SimSummary> summary = runSimulation(settings, observer);
    started_ = started_ || summary.has_value();
    return summary;
  }

  // The basin level for `ticks` ticks of the default step and seed, with the script.
  static SimRunSettings basin(int64_t ticks, std::string_view scriptText = "") {
    SimRunSettings settings;
    settings.level = kBasinLevel;
    settings.ticks = ticks;
    std::string error;
    std::optional<SimScript> parsed = parseSimScript(scriptText, error);
    EXPECT_TRUE(parsed) << error;
    settings.script = parsed.value_or(SimScript{});
    return settings;
  }

  TempDirectory data_;
  std::unique_ptr<WorkingDirectory> inside_;
  bool started_ = false;
};

TEST_F(BasinRunTest, AMissingLevelIsRefusedWithoutASummary) {
  SimRunSettings settings = basin(10);
  settings.level = "lev/missing.swah";
  EXPECT_FALSE(run(settings));
}

TEST_F(BasinRunTest, StartsWithTheLevelsWaterAndTheOpeningMove) {
  const std::optional<SimSummary> summary = run(basin(0));
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->ticks, 0);
  EXPECT_EQ(summary->freeParticles, 128u);
  EXPECT_EQ(summary->cameraPosition, (Vec2{100, 100}));
  EXPECT_EQ(summary->cameraMode, camera::kOpeningMove);
  EXPECT_EQ(summary->msPerTick, 0.0);
}

TEST_F(BasinRunTest, TheSameSettingsGiveTheSameState) {
  SimRunSettings settings = basin(200);
  settings.seed = 9;
  const std::optional<SimSummary> first = run(settings);
  const std::optional<SimSummary> second = run(settings);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->stateHash, second->stateHash);
  EXPECT_EQ(first->waterCentre, second->waterCentre);
  settings.dt = 0.02f;
  const std::optional<SimSummary> otherStep = run(settings);
  ASSERT_TRUE(otherStep);
  EXPECT_NE(otherStep->stateHash, first->stateHash);
}

TEST_F(BasinRunTest, NothingMovesDuringTheOpeningMove) {
  const std::optional<SimSummary> atStart = run(basin(0));
  SimSummary duringMove;
  run(basin(1), [&](int64_t) { duringMove = summariseState(); });
  ASSERT_TRUE(atStart);
  EXPECT_EQ(duringMove.stateHash, atStart->stateHash);
  EXPECT_NE(duringMove.cameraPosition, atStart->cameraPosition) << "the camera flies in";
}

TEST_F(BasinRunTest, ScriptActionsRunBeforeTheirTick) {
  std::vector<float> angles;
  const std::optional<SimSummary> summary =
      run(basin(6, "at 2 angle 40\nat 4 angle -15\nat 99 angle 80\n"),
          [&](int64_t) { angles.push_back(camera::angle()); });
  ASSERT_TRUE(summary);
  EXPECT_EQ(angles, (std::vector<float>{0, 0, 40, 40, -15, -15}));
  EXPECT_EQ(summary->cameraAngle, -15.0f) << "an action past the last tick never runs";
}

TEST_F(BasinRunTest, HeldKeysTurnTheViewOnlyWhileTheHoldLasts) {
  std::vector<float> angles;
  run(basin(120, "at 5 hold left 10\nat 20 hold right 10\n"),
      [&](int64_t) { angles.push_back(camera::angle()); });
  ASSERT_EQ(angles.size(), 120u);
  EXPECT_EQ(angles[4], 0.0f);
  EXPECT_GT(angles[14], angles[5]) << "left turns the angle up";
  EXPECT_LT(angles[29], angles[20]) << "right turns it down";
  // Once let go the turn rate dies away, so the angle settles.
  EXPECT_NEAR(angles[119], angles[118], 0.01f);
}

TEST_F(BasinRunTest, AConsoleLineAndARestartTakeEffect) {
  const std::optional<SimSummary> summary =
      run(basin(3, "at 1 console ParticleCreate 100 100 5 7\n"));
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->freeParticles, 135u);
  const std::optional<SimSummary> restarted =
      run(basin(3, "at 1 console ParticleCreate 100 100 5 7\nat 2 restart\n"));
  ASSERT_TRUE(restarted);
  EXPECT_EQ(restarted->freeParticles, 128u);
  EXPECT_EQ(restarted->cameraAngle, 0.0f);
}

TEST_F(BasinRunTest, QuitOnTheConsoleEndsTheRun) {
  const std::optional<SimSummary> summary = run(basin(50, "at 7 console Quit\n"));
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->ticks, 7);
  EXPECT_EQ(run(basin(5))->ticks, 5) << "the next run opens the window again";
}

// Water poured dense meets a hundred neighbours and more a step. The order of the meetings
// and the rounding of every sum are part of the result, so the state hash after these runs
// is pinned: a change to either shows here first.
TEST_F(BasinRunTest, DenseWaterKeepsItsStateHash) {
  const struct {
    const char* script;
    int64_t ticks;
    uint64_t hash;
  } cases[] = {
      {"at 1 console ParticleCreate 100 100 8 700\n", 150, 0xBE2BBFDE1B9BE0C0ULL},
      {"at 1 console ParticleCreate 100 100 8 700\nat 40 hold left 30\n", 150,
       0xEA049DE6AF960349ULL},
  };
  for (const auto& c : cases) {
    const std::optional<SimSummary> summary = run(basin(c.ticks, c.script));
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->stateHash, c.hash) << c.script;
  }
}

// ---- Long runs -------------------------------------------------------------------------------

struct BasinScenario {
  const char* name;
  const char* script;
};

// Watches every tick of a basin run; the first fault ends the run early.
class BasinWatch {
 public:
  void operator()(int64_t tick) {
    if (!fault_.empty()) return;
    checkCount(tick);
    int32_t index = 0;
    for (const Particle& p : particle_manager::particleList()) check(tick, "free", index++, p);
    index = 0;
    for (const ParticleGroup& group : grouped_particle_mover::groupList())
      for (const Particle& p : group.particles) check(tick, "frozen", index++, p);
  }
  const std::string& fault() const { return fault_; }

 private:
  void checkCount(int64_t tick) {
    size_t count = particle_manager::particleCount();
    for (const ParticleGroup& group : grouped_particle_mover::groupList())
      count += group.particles.size();
    if (count > lastCount_)
      report(tick, "the water grew from " + std::to_string(lastCount_) + " to " +
                       std::to_string(count) + " particles");
    lastCount_ = count;
  }

  void check(int64_t tick, const char* kind, int32_t index, const Particle& p) {
    if (!fault_.empty()) return;
    const Vec2 at = p.position;
    const char* fault = nullptr;
    if (!std::isfinite(at.x) || !std::isfinite(at.y))
      fault = " is not finite";
    else if (at.x < kBasinLeft || at.x > kBasinRight || at.y < kBasinTop || at.y > kBasinBottom)
      fault = " left the basin";
    if (!fault) return;
    std::ostringstream where;
    where << kind << " particle " << index << " at (" << at.x << ", " << at.y << ")" << fault;
    report(tick, where.str());
  }

  void report(int64_t tick, const std::string& fault) {
    fault_ = "tick " + std::to_string(tick) + ": " + fault;
    platform::headlessServices().destroyWindow();
  }

  size_t lastCount_ = size_t(simulation::kStartWaterAmount);
  std::string fault_;
};

void PrintTo(const BasinScenario& scenario, std::ostream* out) {
  *out << scenario.name;
}

class BasinLongRunTest : public BasinRunTest,
                         public ::testing::WithParamInterface<BasinScenario> {};

TEST_P(BasinLongRunTest, WaterStaysInsideFiniteAndNeverGrows) {
  BasinWatch watch;
  SimRunSettings settings = basin(20'000, GetParam().script);
  settings.dt = 0.0333f;
  const std::optional<SimSummary> summary = run(settings, std::ref(watch));
  ASSERT_TRUE(summary);
  EXPECT_EQ(watch.fault(), "");
  EXPECT_EQ(summary->ticks, 20'000);
}

// The still basin pours the water onto its floor; the turning one holds the arrow keys so
// the water runs against both walls, the corners and the lid, and back.
const BasinScenario kBasinScenarios[] = {
    {"Still", ""},
    {"Turning",
     "at 1000 hold left 60\n"
     "at 3000 hold right 120\n"
     "at 5000 hold left 30\n"
     "at 7000 hold left 90\n"
     "at 9000 hold right 45\n"
     "at 11000 hold right 200\n"
     "at 14000 hold left 15\n"
     "at 14500 hold left 15\n"
     "at 15000 hold left 15\n"
     "at 17000 hold right 75\n"},
};

INSTANTIATE_TEST_SUITE_P(Basins, BasinLongRunTest, ::testing::ValuesIn(kBasinScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
