// A route's promises against the run it made: each broken one named in words.

#include "tools/vmr_sim/route_check.h"

#include <gtest/gtest.h>

namespace {

SimSummary ended(bool won, int64_t winTick, size_t free, size_t ice) {
  SimSummary summary;
  summary.won = won;
  summary.winTick = winTick;
  summary.freeParticles = free;
  summary.iceParticles = ice;
  return summary;
}

TEST(RouteCheckTest, NamesEachPromiseTheRunBroke) {
  const RouteExpectation expected{900, 0.75f};
  EXPECT_EQ(unmetExpectations(expected, ended(true, 900, 80, 16)), "");  // 96 of 128 drops
  EXPECT_EQ(unmetExpectations(expected, ended(true, 901, 96, 0)),
            "won after tick 901, expected a win by tick 900\n");
  EXPECT_EQ(unmetExpectations(expected, ended(false, -1, 95, 0)),
            "not won, expected a win by tick 900\nkept 0.7421875 of the water, expected 0.75\n");
  EXPECT_EQ(unmetExpectations({}, ended(false, -1, 0, 0)), "");
}

TEST(RouteCheckTest, ARunLastsPastTheLastHoldAndTheDeadline) {
  SimScript script;
  ScriptAction hold;
  hold.tick = 950;
  hold.kind = ScriptActionKind::kHold;
  hold.holdTicks = 100;
  script.actions.push_back(hold);
  EXPECT_GT(routeTicks(script), 1050);
  script.expected.winBy = 2000;
  EXPECT_GT(routeTicks(script), 2000) << "the finish after a late win is watched too";
}

}  // namespace
