// The simulator's script format, read from text in memory: what each action line means,
// the order actions come out in, and a refusal naming the line for every kind of mistake.

#include <gtest/gtest.h>

#include "tools/vmr_sim/sim_script.h"

namespace {

SimScript parsed(std::string_view text) {
  std::string error;
  const std::optional<SimScript> script = parseSimScript(text, error);
  EXPECT_TRUE(script) << error;
  return script.value_or(SimScript{});
}

std::string refusal(std::string_view text) {
  std::string error;
  EXPECT_FALSE(parseSimScript(text, error)) << text;
  return error;
}

}  // namespace

TEST(SimScriptTests, ReadsEveryAction) {
  const SimScript script = parsed(
      "at 0 angle -12.5\n"
      "at 3 hold left 25\n"
      "at 4 hold right 1\n"
      "at 9 console   ParticleCreate 10 20  5 8  \n"
      "at 12 restart\n");
  ASSERT_EQ(script.actions.size(), 5u);
  const auto& a = script.actions;
  EXPECT_EQ(a[0].kind, ScriptActionKind::kAngle);
  EXPECT_EQ(a[0].at.amount, 0);
  EXPECT_EQ(a[0].degrees, -12.5f);
  EXPECT_EQ(a[1].kind, ScriptActionKind::kHold);
  EXPECT_EQ(a[1].key, ScriptKey::kLeft);
  EXPECT_EQ(a[1].holdFor.amount, 25);
  EXPECT_EQ(a[2].key, ScriptKey::kRight);
  EXPECT_EQ(a[2].holdFor.amount, 1);
  EXPECT_EQ(a[3].kind, ScriptActionKind::kConsole);
  EXPECT_EQ(a[3].consoleLine, "ParticleCreate 10 20  5 8") << "inner blanks are typed as written";
  EXPECT_EQ(a[4].kind, ScriptActionKind::kRestart);
  EXPECT_EQ(a[4].at.amount, 12);
  EXPECT_EQ(a[4].lineNumber, 5);
}

TEST(SimScriptTests, IgnoresBlankLinesRemarksAndLineEndings) {
  const SimScript script = parsed(
      "# turn the basin\r\n"
      "\r\n"
      "   \t\n"
      "  # indented remark\n"
      "\tat 7 angle 90\r\n"
      "at 8 console Gravity # not a remark inside a console line");
  ASSERT_EQ(script.actions.size(), 2u);
  EXPECT_EQ(script.actions[0].lineNumber, 5);
  EXPECT_EQ(script.actions[0].degrees, 90.0f);
  EXPECT_EQ(script.actions[1].consoleLine, "Gravity # not a remark inside a console line");
  EXPECT_TRUE(parsed("").actions.empty());
  EXPECT_TRUE(parsed("\n\n# only remarks\n").actions.empty());
}

TEST(SimScriptTests, SortsByTickAndKeepsTheFileOrderWithinATick) {
  const SimScript script = parsed(
      "at 50 console B\n"
      "at 10 console A\n"
      "at 50 console C\n"
      "at 0 restart\n");
  ASSERT_EQ(script.actions.size(), 4u);
  EXPECT_EQ(script.actions[0].kind, ScriptActionKind::kRestart);
  EXPECT_EQ(script.actions[1].consoleLine, "A");
  EXPECT_EQ(script.actions[2].consoleLine, "B");
  EXPECT_EQ(script.actions[3].consoleLine, "C");
  EXPECT_EQ(script.actions[3].lineNumber, 3);
}

TEST(SimScriptTests, AcceptsTheExtremesOfEachNumber) {
  const SimScript script = parsed(
      "at 9223372036854775807 angle 1e3\n"
      "at 0 hold left 9223372036854775807\n"
      "at 0 angle -0\n");
  ASSERT_EQ(script.actions.size(), 3u);
  EXPECT_EQ(script.actions[0].holdFor.amount, 9223372036854775807.0);
  EXPECT_EQ(script.actions[1].degrees, 0.0f);
  EXPECT_EQ(script.actions[2].at.amount, 9223372036854775807.0);
  EXPECT_EQ(script.actions[2].degrees, 1000.0f);
}

TEST(SimScriptTests, RefusesAMissingOrBadTickWithItsLine) {
  EXPECT_EQ(refusal("# fine\nangle 3\n"),
            "line 2: expected \"at TICK ACTION\" or \"expect ...\", not \"angle\"");
  EXPECT_EQ(refusal("at\n"), "line 1: the tick is a whole number from 0; none given");
  EXPECT_EQ(refusal("\n\nat -1 restart"), "line 3: the tick is a whole number from 0, not \"-1\"");
  EXPECT_EQ(refusal("at 2.5 restart"), "line 1: the tick is a whole number from 0, not \"2.5\"");
  EXPECT_EQ(refusal("at 99999999999999999999 restart"),
            "line 1: the tick is a whole number from 0, not \"99999999999999999999\"");
  EXPECT_EQ(refusal("at 4\n"), "line 1: nothing to do at tick 4");
}

TEST(SimScriptTests, RefusesUnknownActionsAndTrailingWords) {
  EXPECT_EQ(refusal("at 1 jump"),
            "line 1: unknown action \"jump\"; expected angle, hold, console or restart");
  EXPECT_EQ(refusal("at 1 ANGLE 3"),
            "line 1: unknown action \"ANGLE\"; expected angle, hold, console or restart");
  EXPECT_EQ(refusal("at 1 restart now"), "line 1: unexpected \"now\" after the action");
  EXPECT_EQ(refusal("at 1 angle 3 4"), "line 1: unexpected \"4\" after the action");
  EXPECT_EQ(refusal("at 1 hold left 3 more"), "line 1: unexpected \"more\" after the action");
}

TEST(SimScriptTests, RefusesBadArgumentsOfEachAction) {
  EXPECT_EQ(refusal("at 1 angle"), "line 1: angle takes a number of degrees; none given");
  EXPECT_EQ(refusal("at 1 angle ten"), "line 1: angle takes a number of degrees, not \"ten\"");
  EXPECT_EQ(refusal("at 1 angle nan"), "line 1: angle takes a number of degrees, not \"nan\"");
  EXPECT_EQ(refusal("at 1 angle inf"), "line 1: angle takes a number of degrees, not \"inf\"");
  EXPECT_EQ(refusal("at 1 angle 1e39"), "line 1: angle takes a number of degrees, not \"1e39\"");
  EXPECT_EQ(refusal("at 1 hold"), "line 1: hold takes left or right; none given");
  EXPECT_EQ(refusal("at 1 hold up 3"), "line 1: hold takes left or right, not \"up\"");
  EXPECT_EQ(refusal("at 1 hold left"),
            "line 1: hold takes a whole number of ticks from 1; none given");
  EXPECT_EQ(refusal("at 1 hold right 0"),
            "line 1: hold takes a whole number of ticks from 1, not \"0\"");
  EXPECT_EQ(refusal("at 1 hold right -4"),
            "line 1: hold takes a whole number of ticks from 1, not \"-4\"");
  EXPECT_EQ(refusal("at 1 console"), "line 1: console needs a line to type");
  EXPECT_EQ(refusal("at 1 console   \r"), "line 1: console needs a line to type");
}

TEST(SimScriptTests, ReadsARoutesExpectationsAndRefusesBadOnes) {
  const SimScript route = parsed("at 5 hold left 3\nexpect win by 900\nexpect water 0.75\n");
  EXPECT_EQ(route.actions.size(), 1u);
  EXPECT_EQ(route.expected.winBy->amount, 900);
  EXPECT_EQ(route.expected.waterShare, 0.75f);
  EXPECT_FALSE(parsed("at 5 hold left 3\n").expected.any());
  const std::pair<const char*, const char*> refused[] = {
      {"expect win 900", "expected \"expect win by TICK\", not \"900\""},
      {"expect win by -1", "the tick is a whole number from 0, not \"-1\""},
      {"expect water 1.5", "the water share is a number from 0 to 1, not \"1.5\""},
      {"expect water", "the water share is a number from 0 to 1; none given"},
      {"expect water 0.5 please", "unexpected \"please\" after the expectation"},
      {"expect glory", "expected \"expect win by TICK\" or \"expect water SHARE\", not \"glory\""},
  };
  for (const auto& [line, message] : refused) EXPECT_EQ(refusal(line), std::string("line 1: ") + message);
}

TEST(SimScriptTests, NamesTheFirstBadLineAfterGoodOnes) {
  EXPECT_EQ(refusal("at 0 angle 5\r\n\r\n# x\r\nat 3 hold left 2\r\nat 3 hold middle 2\r\n"
                    "at x restart\n"),
            "line 5: hold takes left or right, not \"middle\"");
}

// Times in seconds read as seconds, a script keeps one unit, and bad seconds are named.
TEST(SimScriptTests, ReadsTimesInSecondsAndKeepsOneUnit) {
  const SimScript route = parsed("at 0.67 s hold right 0.27 s\nexpect win by 30 s\n");
  ASSERT_EQ(route.actions.size(), 1u);
  EXPECT_TRUE(route.actions[0].at.seconds && route.actions[0].holdFor.seconds);
  EXPECT_DOUBLE_EQ(route.actions[0].holdFor.inSeconds(), 0.27f);
  EXPECT_DOUBLE_EQ(route.expected.winBy->inTicks(0.01), 3000.0);
  EXPECT_DOUBLE_EQ(parsed("at 45 restart").actions[0].at.inSeconds(), 1.5) << "1/30 s a tick";
  const std::pair<const char*, const char*> refused[] = {
      {"at 1 s hold left 0 s", "the time is a number of seconds above 0, not \"0\""},
      {"at -1 s restart", "the time is a number of seconds from 0, not \"-1\""},
      {"at 1e8 s restart", "the time is a number of seconds from 0, not \"1e8\""},
      {"at 1 s hold left 3", "this script counts in seconds: follow every time with \"s\""},
      {"at 1 restart\nexpect win by 9 s", "this script counts in ticks: write no \"s\" after a time"},
  };
  for (const auto& [text, message] : refused) {
    const std::string error = refusal(text);
    EXPECT_TRUE(error.ends_with(message)) << error;
  }
}
