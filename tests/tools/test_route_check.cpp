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
  const RouteExpectation expected{ScriptTime::ticks(900), 0.75f};
  EXPECT_EQ(unmetExpectations(expected, ended(true, 900, 80, 16)), "");  // 96 of 128 drops
  EXPECT_EQ(unmetExpectations(expected, ended(true, 901, 96, 0)),
            "won after tick 901, expected a win by tick 900\n");
  EXPECT_EQ(unmetExpectations(expected, ended(false, -1, 95, 0)),
            "not won, expected a win by tick 900\nkept 0.7421875 of the water, expected 0.75\n");
  EXPECT_EQ(unmetExpectations({}, ended(false, -1, 0, 0)), "");

  // Paced by frames, the deadline is in seconds, a tick of the route 1/30 s.
  SimRunSettings paced;
  paced.frames = FrameSource::steady(144);
  SimSummary late = ended(true, 2000, 128, 0);
  late.winSeconds = 29.99;
  EXPECT_EQ(unmetExpectations(expected, late, paced), "");
  late.winSeconds = 30.2;
  EXPECT_EQ(unmetExpectations(expected, late, paced),
            "won after 30.20 s, expected a win by 30.00 s\n");
}

TEST(RouteCheckTest, ARunLastsPastTheLastHoldAndTheDeadline) {
  SimScript script;
  ScriptAction hold;
  hold.at = ScriptTime::ticks(950);
  hold.kind = ScriptActionKind::kHold;
  hold.holdFor = ScriptTime::ticks(100);
  script.actions.push_back(hold);
  EXPECT_GT(routeLength(script), 1050);
  SimRunSettings lengthened;
  lengthened.holdScale = 2.0;
  EXPECT_GT(routeLength(script, lengthened), 1150) << "a lengthened hold is watched to its end";
  script.expected.winBy = ScriptTime::ticks(2000);
  EXPECT_GT(routeLength(script), 2000) << "the finish after a late win is watched too";
  lengthened.frames = FrameSource::steady(60);
  EXPECT_GT(routeLength(script, lengthened), 2000 / 30.0) << "in seconds when paced by frames";
  EXPECT_LT(routeLength(script, lengthened), 2000 / 30.0 + 10.0);
}

}  // namespace
