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
