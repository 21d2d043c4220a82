#include <gtest/gtest.h>

#include "common/user_data_path.h"
#include "test_support/scoped_environment.h"
#include "test_support/temp_directory.h"

namespace fs = std::filesystem;

namespace {

class UserDataPathTest : public ::testing::Test {
 protected:
  fs::path folder() const { return data_.path() / "vellmoor"; }

  TempDirectory data_;
  ScopedEnvironment xdg_{"XDG_DATA_HOME", data_.path().c_str()};
};

TEST_F(UserDataPathTest, TheFolderFollowsTheEnvironmentAtEachCall) {
  EXPECT_EQ(userDataFolder(), folder());
  const TempDirectory home;
  const ScopedEnvironment homeVariable("HOME", home.path().c_str());
  // A relative or empty XDG_DATA_HOME would mean a different folder in every working directory.
  for (const char* data : {"", "relative/data", static_cast<const char*>(nullptr)}) {
    const ScopedEnvironment xdg("XDG_DATA_HOME", data);
    EXPECT_EQ(userDataFolder(), home.path() / ".local/share/vellmoor") << (data ? data : "unset");
  }
  EXPECT_EQ(userDataFolder(), folder());
}

TEST_F(UserDataPathTest, GameNamesKeepTheirLayoutBelowTheFolder) {
  data_.write("vellmoor/SAV/old.sav", "");
  const struct {
    const char* name;
    std::optional<fs::path> path;
  } cases[] = {
      {"sav\\scores.sav", folder() / "SAV/scores.sav"},  // an existing folder in any case
      {"ConsoleLog.txt", folder() / "ConsoleLog.txt"},
      {"\\shots//./a.png", folder() / "shots/a.png"},
      {"", std::nullopt},
      {"\\/", std::nullopt},
      {"sav\\.", std::nullopt},
      {"..\\escaped.txt", std::nullopt},
      {"sav\\..\\..\\escaped.txt", std::nullopt},
  };
  for (const auto& test : cases) EXPECT_EQ(userDataPath(test.name), test.path) << test.name;
  EXPECT_FALSE(fs::exists(folder() / "shots"));  // asking creates nothing
}

TEST_F(UserDataPathTest, PreparingCreatesTheFoldersOnTheWayOrFails) {
  EXPECT_EQ(prepareUserDataPath("shots\\2024\\a.png"), folder() / "shots/2024/a.png");
  EXPECT_TRUE(fs::is_directory(folder() / "shots/2024"));
  EXPECT_FALSE(fs::exists(folder() / "shots/2024/a.png"));

  data_.write("vellmoor/sav", "a file where the folder belongs");
  EXPECT_EQ(prepareUserDataPath("sav\\scores.sav"), std::nullopt);
  EXPECT_EQ(prepareUserDataPath(".."), std::nullopt);
}

}  // namespace
