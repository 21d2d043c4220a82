#include <gtest/gtest.h>

#include "common/user_data_path.h"
#include "test_support/scoped_environment.h"
#include "test_support/temp_directory.h"

namespace fs = std::filesystem;

// Only an absolute XDG_DATA_HOME counts; a name keeps its layout, is found in any letter case
// and never leads out of the folder.
TEST(UserDataPathTest, NamesKeepTheirLayoutInTheFolderTheEnvironmentGives) {
  const TempDirectory home, data;
  const ScopedEnvironment homeVariable("HOME", home.path().c_str());
  data.write("vellmoor/SAV/old.sav", "");
  const fs::path folder = data.path() / "vellmoor",
                 fallback = home.path() / ".local/share/vellmoor";
  const struct {
    const char* xdg;
    const char* name;
    std::optional<fs::path> path;
  } cases[] = {
      {data.path().c_str(), "sav\\scores.sav", folder / "SAV/scores.sav"},
      {data.path().c_str(), "\\shots//./a.png", folder / "shots/a.png"},
      {"relative", "ConsoleLog.txt", fallback / "ConsoleLog.txt"},
      {nullptr, "ConsoleLog.txt", fallback / "ConsoleLog.txt"},
      {data.path().c_str(), "sav\\..\\..\\escaped.txt", std::nullopt},
      {data.path().c_str(), "\\/", std::nullopt},
  };
  for (const auto& test : cases) {
    const ScopedEnvironment xdg("XDG_DATA_HOME", test.xdg);
    EXPECT_EQ(userDataPath(test.name), test.path) << test.name;
  }
}
