// The soak's rounds: scripts the simulator accepts, within the round, repeatable from the
// seed, and a replay command that names everything the round depends on.

#include <gtest/gtest.h>

#include <algorithm>

#include "common/text.h"
#include "tools/vmr_soak/soak_round.h"

namespace {

SimScript parsedScript(const SoakRound& round) {
  std::string error;
  const auto script = parseSimScript(round.scriptText, error);
  EXPECT_TRUE(script) << error << "\n" << round.scriptText;
  return script.value_or(SimScript{});
}

}  // namespace

TEST(SoakRoundTests, ScriptsAreValidAndActWithinTheRound) {
  std::mt19937_64 random(7);
  int64_t created = 0;
  for (int i = 0; i < 200; ++i) {
    const SoakRound round = planSoakRound("lev/x.swah", {100.0f, -50.0f}, random);
    ASSERT_GT(round.ticks, 0);
    ASSERT_GT(round.dt, 0.0f);
    for (const ScriptAction& action : parsedScript(round).actions) {
      EXPECT_LT(action.at.amount, round.ticks) << round.scriptText;
      if (!makesWater(action) || action.kind != ScriptActionKind::kConsole) continue;
      const std::vector<std::string> words = splitWords(action.consoleLine);
      ASSERT_EQ(words.size(), 5u) << action.consoleLine;
      EXPECT_NEAR(toNumber(words[1]), 100.0f, 20.0f) << "water is made near the water start";
      EXPECT_NEAR(toNumber(words[2]), -50.0f, 20.0f);
      created = std::max<int64_t>(created, toInteger(words[4]));
    }
  }
  EXPECT_GT(created, 0) << "some rounds make water";
  EXPECT_LE(created, 200);
}

TEST(SoakRoundTests, TheSameSeedPlansTheSameRounds) {
  std::mt19937_64 first(3), second(3);
  for (int i = 0; i < 5; ++i) {
    const SoakRound a = planSoakRound("lev/a.swah", {}, first);
    const SoakRound b = planSoakRound("lev/a.swah", {}, second);
    EXPECT_EQ(a.scriptText, b.scriptText);
    EXPECT_EQ(a.ticks, b.ticks);
    EXPECT_EQ(a.dt, b.dt);
    EXPECT_EQ(a.seed, b.seed);
  }
}

TEST(SoakRoundTests, OnlyRestartsAndParticleCreateMakeWater) {
  std::string error;
  const auto script = parseSimScript(
      "at 1 restart\nat 2 console ParticleCreate 0 0 5 5\nat 3 console Gravity 10\n"
      "at 4 angle 30\nat 5 hold left 3\n",
      error);
  ASSERT_TRUE(script) << error;
  std::vector<bool> makes;
  for (const ScriptAction& action : script->actions) makes.push_back(makesWater(action));
  EXPECT_EQ(makes, (std::vector<bool>{true, true, false, false, false}));
}

TEST(SoakRoundTests, TheReplayCommandRunsTheRoundsLevelTicksStepAndSeed) {
  SoakRound round;
  round.level = "lev/testLevel.swah";
  round.ticks = 321;
  round.dt = 0.0166667f;
  round.seed = 99;
  EXPECT_EQ(replayCommand(round, "build/data", "round.txt"),
            "vmr_sim --data build/data --level lev/testLevel.swah --ticks 321 --dt 0.0166667 "
            "--seed 99 --script round.txt");
}
