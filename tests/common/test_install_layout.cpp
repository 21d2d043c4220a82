// The data folder is found from the program's own folder, in an installed tree and in the
// build tree alike.

#include "common/install_layout.h"

#include <gtest/gtest.h>

#include "test_support/temp_directory.h"

namespace {

TEST(InstallLayoutTest, FindsTheDataFolderOfTheTreeTheProgramSitsIn) {
  struct Case {
    const char* configFolder;  // made below the tree; nullptr for none
    const char* expected;      // relative to the tree; nullptr for none
  };
  const Case cases[] = {
      {"share/vellmoor/cfg/game.cfg", "share/vellmoor"},
      {"data/CFG/game.cfg", "data"},  // letter case aside, as every data path
      {"share/vellmoor/game.cfg", nullptr},
      {nullptr, nullptr},
  };
  for (const Case& c : cases) {
    TempDirectory tree;
    tree.write("bin/vmr_main", "");
    if (c.configFolder != nullptr) tree.write(c.configFolder, "");
    const std::optional<std::filesystem::path> found = dataFolderBeside(tree.path() / "bin");
    if (c.expected == nullptr) {
      EXPECT_FALSE(found) << *found;
    } else {
      ASSERT_TRUE(found) << c.configFolder;
      EXPECT_EQ(*found, (tree.path() / c.expected).lexically_normal());
    }
  }
}

TEST(InstallLayoutTest, AnInstalledTreeWinsOverABuildTreeBesideIt) {
  TempDirectory tree;
  tree.write("bin/vmr_main", "");
  tree.write("data/cfg/game.cfg", "");
  tree.write("share/vellmoor/cfg/game.cfg", "");
  EXPECT_EQ(dataFolderBeside(tree.path() / "bin"),
            (tree.path() / "share" / "vellmoor").lexically_normal());
}

}  // namespace
