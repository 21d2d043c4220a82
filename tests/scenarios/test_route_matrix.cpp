// Every shipped level's route at the frame rates players have: steady 30, 60, 75, 120, 144 and
// 240 Hz, three uneven machines and the simulator's fixed 1/30-s ticks, each with the route's
// holds as written and 15 % shorter and longer (25 % for the first level, which a new player
// meets first). The route keeps its promises in every one of them, and standing still wins
// none. The uneven machines play in a wide window (1280 x 720), whose view sees further across
// than the 4:3 one of the others. The levels come from the build's data folder, as the game
// reads them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "game/console/console.h"
#include "game/simulation/simulation.h"
#include "test_support/temp_directory.h"
#include "tools/vmr_sim/route_check.h"
#include "tools/vmr_sim/sim_run.h"

namespace {

const std::filesystem::path kRoutes = ROUTE_DIR;

// Steady frames a second, or an uneven machine's seed as a negative number, or 0 for fixed
// ticks.
const std::pair<const char*, int> kClocks[] = {
    {"fixed", 0},   {"hz30", 30},   {"hz60", 60},   {"hz75", 75},         {"hz120", 120},
    {"hz144", 144}, {"hz240", 240}, {"jitter1", -1}, {"jitter2", -2}, {"jitter3", -3}};

using MatrixCase = std::pair<std::string, int>;  // the level, its clock

class RouteMatrixTest : public ::testing::TestWithParam<MatrixCase> {
 protected:
  void SetUp() override { console::initialise(); }
  void TearDown() override { console::shutdown(); }

  // The level run on the case's clock with the script for the route's length; a route is held
  // to its promises.
  static SimSummary run(const SimScript& script, double holdScale, bool isRoute) {
    const auto& [level, clock] = GetParam();
    SimRunSettings settings;
    settings.level = "lev/" + level + ".swah";
    if (clock > 0) settings.frames = FrameSource::steady(clock);
    if (clock < 0) settings.frames = FrameSource::jittered(uint64_t(-clock));
    if (clock < 0) std::tie(settings.viewWidth, settings.viewHeight) = std::pair(1280, 720);
    settings.script = script;
    settings.holdScale = holdScale;
    lengthenForRoute(settings);
    const std::optional<SimSummary> summary = runSimulation(settings);
    EXPECT_TRUE(summary) << settings.level << " was refused";
    simulation::endLevel();
    if (summary && isRoute) EXPECT_EQ(unmetExpectations(script.expected, *summary, settings), "")
        << "holds x" << holdScale;
    return summary.value_or(SimSummary{});
  }

 private:
  WorkingDirectory inside_{VELLMOOR_DATA_DIR};
};

TEST_P(RouteMatrixTest, TheRouteKeepsItsPromisesWithLooseHoldsAndStandingStillWinsNothing) {
  const std::string& level = GetParam().first;
  std::string error;
  const std::optional<SimScript> route =
      parseSimScript(readFileBytes(kRoutes / (level + ".solution")), error);
  ASSERT_TRUE(route) << error;
  ASSERT_TRUE(route->expected.winBy) << "a route promises a win";
  for (const ScriptAction& action : route->actions)
    ASSERT_EQ(action.kind, ScriptActionKind::kHold) << "line " << action.lineNumber
                                                    << ": only held turning keys";
  const double spread = level.starts_with("01_") ? 0.25 : 0.15;
  for (const double holdScale : {1.0 - spread, 1.0, 1.0 + spread}) run(*route, holdScale, true);
  SimScript idle;
  idle.expected.winBy = route->expected.winBy;
  EXPECT_FALSE(run(idle, 1.0, false).won) << "the level wins itself";
}

std::vector<MatrixCase> allCases() {
  std::vector<MatrixCase> cases;
  for (const auto& entry : std::filesystem::directory_iterator(kRoutes))
    if (entry.path().extension() == ".solution")
      for (const auto& [name, clock] : kClocks) cases.emplace_back(entry.path().stem(), clock);
  std::sort(cases.begin(), cases.end());
  return cases;
}

std::string caseName(const ::testing::TestParamInfo<MatrixCase>& info) {
  for (const auto& [name, clock] : kClocks)
    if (clock == info.param.second) return info.param.first + "_" + name;
  return info.param.first;
}

INSTANTIATE_TEST_SUITE_P(Shipped, RouteMatrixTest, ::testing::ValuesIn(allCases()), caseName);

}  // namespace
