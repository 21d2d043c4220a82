#include <gtest/gtest.h>

#include "tools/vmr_sim/sim_options.h"

namespace {

std::optional<SimOptions> parse(std::vector<std::string> arguments, std::string* error = nullptr) {
  std::string message;
  auto options = parseSimOptions(arguments, message);
  if (error) *error = message;
  return options;
}

}  // namespace

TEST(SimOptionsTests, ReadsConsoleDataFolderAndSeed) {
  const auto options =
      parse({"--console", "--data", "some/dir", "--seed", "77", "--level", "lev\\a.swah"});
  ASSERT_TRUE(options);
  EXPECT_TRUE(options->console);
  EXPECT_EQ(options->level, "lev\\a.swah");
  EXPECT_EQ(options->dataFolder, "some/dir");
  EXPECT_EQ(options->seed, 77u);
}

TEST(SimOptionsTests, RefusesBadOptionsWithAMessage) {
  std::string error;
  EXPECT_FALSE(parse({"--seed", "-1"}, &error));
  EXPECT_EQ(error, "vmr_sim: --seed takes a whole number, not \"-1\"");
  EXPECT_FALSE(parse({"--data"}, &error));
  EXPECT_EQ(error, "vmr_sim: --data needs a value");
  EXPECT_FALSE(parse({"--level"}, &error));
  EXPECT_EQ(error, "vmr_sim: --level needs a value");
  EXPECT_FALSE(parse({"--fast"}, &error));
  EXPECT_EQ(error, "vmr_sim: unknown option \"--fast\"");
}

TEST(SimOptionsTests, ReadsTheRunOfALevel) {
  const auto options = parse({"--level", "lev/a.swah", "--ticks", "500", "--dt", "0.01", "--script",
                              "turn.txt", "--json"});
  ASSERT_TRUE(options);
  EXPECT_EQ(options->ticks, 500);
  EXPECT_EQ(options->dt, 0.01f);
  EXPECT_EQ(options->scriptFile, "turn.txt");
  EXPECT_TRUE(options->json);
  const auto defaults = parse({"--level", "lev/a.swah"});
  ASSERT_TRUE(defaults);
  EXPECT_EQ(defaults->ticks, 0);
  EXPECT_EQ(defaults->dt, 0.0333333f);
  EXPECT_FALSE(defaults->json);
}

TEST(SimOptionsTests, RefusesBadTicksAndSteps) {
  std::string error;
  EXPECT_FALSE(parse({"--level", "a", "--ticks", "-3"}, &error));
  EXPECT_EQ(error, "vmr_sim: --ticks takes a whole number from 0, not \"-3\"");
  EXPECT_FALSE(parse({"--level", "a", "--ticks", "1e3"}, &error));
  EXPECT_EQ(error, "vmr_sim: --ticks takes a whole number from 0, not \"1e3\"");
  for (const char* step : {"0", "-0.1", "nan", "inf", "1.01", "fast"}) {
    EXPECT_FALSE(parse({"--level", "a", "--dt", step}, &error)) << step;
    EXPECT_EQ(error,
              std::string("vmr_sim: --dt takes a number of seconds above 0, at most 1, not \"") +
                  step + "\"");
  }
  EXPECT_FALSE(parse({"--level", "a", "--script"}, &error));
  EXPECT_EQ(error, "vmr_sim: --script needs a value");
  const std::tuple<const char*, const char*, const char*> paces[] = {
      {"--fps", "0.5", "--fps takes a number from 1 to 1000"},
      {"--fps", "nan", "--fps takes a number from 1 to 1000"},
      {"--hold-scale", "inf", "--hold-scale takes a number from 0.1 to 10"},
      {"--frame-times", "jitter:x", "--frame-times jitter:SEED takes a whole number SEED"},
      {"--view", "1280x32", "--view takes WxH, each from 64 to 16384"},
      {"--view", "1280 720", "--view takes WxH, each from 64 to 16384"},
  };
  for (const auto& [option, value, message] : paces) {
    EXPECT_FALSE(parse({"--level", "a", option, value}, &error)) << option << " " << value;
    EXPECT_EQ(error, std::string("vmr_sim: ") + message + ", not \"" + value + "\"");
  }
  EXPECT_EQ(parse({"--level", "a", "--frame-times", "jitter:7"}, &error)->jitterSeed, 7u);
}

TEST(SimOptionsTests, RunOptionsNeedALevel) {
  std::string error;
  for (std::vector<std::string> arguments : {std::vector<std::string>{"--console", "--ticks", "5"},
                                             {"--json", "--console"},
                                             {"--script", "s.txt"},
                                             {"--record", "r.vrep"},
                                             {"--fps", "60"}}) {
    EXPECT_FALSE(parse(arguments, &error));
    EXPECT_EQ(error, "vmr_sim: --ticks, --script, --record, --fps, --frame-times, --hold-scale, "
                     "--view and --json need --level");
  }
  EXPECT_FALSE(parse({"--level", "a", "--fps", "60", "--frame-times", "jitter:1"}, &error));
  EXPECT_EQ(error, "vmr_sim: --fps and --frame-times both pace the ticks: give one of them");
  EXPECT_TRUE(parse({"--replay", "r.vrep", "--json"}, &error)) << error;
  EXPECT_FALSE(parse({"--replay", "r.vrep", "--level", "a"}, &error));
}
