// Every shipped level's route at the frame rates players have: steady 30, 60, 75, 120, 144 and
// 240 Hz, three uneven machines and the simulator's fixed 1/30-s ticks, each with the route's
// holds as written and 15 % shorter and longer (25 % for the first level, which a new player
// meets first). The route keeps its promises in every one of them, and standing still wins
// none. The levels come from the build's data folder, as the game reads them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/console/console.h"
#include "game/simulation/simulation.h"
#include "test_support/temp_directory.h"
#include "tools/vmr_sim/route_check.h"
#include "tools/vmr_sim/sim_run.h"

namespace {

const std::filesystem::path kDataFolder = VELLMOOR_DATA_DIR;
const std::filesystem::path kRoutes = ROUTE_DIR;

struct Clock {
  const char* name;
  double rate;           // steady frames a second; 0 for jitter or fixed ticks
  int64_t jitterSeed;    // from 1 for an uneven machine
};

const Clock kClocks[] = {{"fixed", 0, 0},     {"hz30", 30, 0},      {"hz60", 60, 0},
                         {"hz75", 75, 0},     {"hz120", 120, 0},    {"hz144", 144, 0},
                         {"hz240", 240, 0},   {"jitter1", 0, 1},    {"jitter2", 0, 2},
                         {"jitter3", 0, 3}};

void PrintTo(const Clock& clock, std::ostream* out) {
  *out << clock.name;
}

std::vector<std::string> routedLevels() {
  std::vector<std::string> levels;
  for (const auto& entry : std::filesystem::directory_iterator(kRoutes))
    if (entry.path().extension() == ".solution") levels.push_back(entry.path().stem().string());
  std::sort(levels.begin(), levels.end());
  return levels;
}

using MatrixCase = std::tuple<std::string, Clock>;

class RouteMatrixTest : public ::testing::TestWithParam<MatrixCase> {
 protected:
  void SetUp() override {
    inside_ = std::make_unique<WorkingDirectory>(kDataFolder);
    console::initialise();
  }
  void TearDown() override {
    simulation::endLevel();
    console::shutdown();
  }

  SimRunSettings settingsFor(const std::string& level, const Clock& clock) const {
    SimRunSettings settings;
    settings.level = "lev/" + level + ".swah";
    if (clock.rate > 0) settings.frames = FrameSource::steady(clock.rate);
    if (clock.jitterSeed > 0) settings.frames = FrameSource::jittered(uint64_t(clock.jitterSeed));
    return settings;
  }

  // Runs the settings for the route's length; the summary, or a failure.
  static SimSummary run(SimRunSettings& settings) {
    const double length = routeLength(settings.script, settings);
    settings.seconds = length;
    if (!settings.framePaced()) settings.ticks = int64_t(length + 1);
    const std::optional<SimSummary> summary = runSimulation(settings);
    EXPECT_TRUE(summary) << settings.level << " was refused";
    return summary.value_or(SimSummary{});
  }

 private:
  std::unique_ptr<WorkingDirectory> inside_;
};

TEST_P(RouteMatrixTest, TheRouteKeepsItsPromisesWithLooseHoldsAndStandingStillWinsNothing) {
  const auto& [level, clock] = GetParam();
  std::string error;
  const std::optional<SimScript> route =
      parseSimScript(readFileBytes(kRoutes / (level + ".solution")), error);
  ASSERT_TRUE(route) << error;
  ASSERT_TRUE(route->expected.winBy) << "a route promises a win";
  for (const ScriptAction& action : route->actions)
    ASSERT_EQ(action.kind, ScriptActionKind::kHold) << "line " << action.lineNumber
                                                    << ": only held turning keys";
  const double spread = level.starts_with("01_") ? 0.25 : 0.15;
  for (const double holdScale : {1.0 - spread, 1.0, 1.0 + spread}) {
    SimRunSettings settings = settingsFor(level, clock);
    settings.script = *route;
    settings.holdScale = holdScale;
    const SimSummary summary = run(settings);
    EXPECT_EQ(unmetExpectations(route->expected, summary, settings), "")
        << "holds x" << holdScale;
    simulation::endLevel();
  }
  SimRunSettings idle = settingsFor(level, clock);
  idle.script.expected = route->expected;
  EXPECT_FALSE(run(idle).won) << "the level wins itself";
}

std::vector<MatrixCase> allCases() {
  std::vector<MatrixCase> cases;
  for (const std::string& level : routedLevels())
    for (const Clock& clock : kClocks) cases.emplace_back(level, clock);
  return cases;
}

std::string caseName(const ::testing::TestParamInfo<MatrixCase>& info) {
  return std::get<0>(info.param) + "_" + std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(Shipped, RouteMatrixTest, ::testing::ValuesIn(allCases()), caseName);

}  // namespace
