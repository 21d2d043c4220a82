#include <gtest/gtest.h>

#include "common/data_path.h"
#include "test_support/temp_directory.h"

namespace fs = std::filesystem;

TEST(DataPathTests, SplitsOnBothSeparatorsAndDropsEmptyPieces) {
  EXPECT_EQ(splitPathPieces("\\cfg//game.cfg\\"),
            (std::vector<std::string_view>{"cfg", "game.cfg"}));
  EXPECT_TRUE(splitPathPieces("//\\").empty());
}

TEST(DataPathTests, OpensWindowsStylePathsInAnyLetterCase) {
  TempDirectory data;
  data.write("cfg/game.cfg", "a = 1");
  data.write("gfx/Water/Drop.tga", "x");
  WorkingDirectory inside(data.path());
  EXPECT_EQ(resolveDataPath("cfg\\game.cfg"), fs::path("cfg/game.cfg"));
  EXPECT_EQ(resolveDataPath("cfg//game.cfg"), fs::path("cfg/game.cfg"));
  EXPECT_EQ(resolveDataPath("GFX\\WATER\\DROP.TGA"), fs::path("gfx/Water/Drop.tga"));
}

TEST(DataPathTests, ExactMatchWinsOverOtherLetterCase) {
  TempDirectory data;
  data.write("Levels/a", "upper");
  data.write("levels/a", "lower");
  WorkingDirectory inside(data.path());
  EXPECT_EQ(resolveDataPath("levels/a"), fs::path("levels/a"));
  EXPECT_EQ(resolveDataPath("Levels/a"), fs::path("Levels/a"));
  // Without an exact match the first name in byte order is taken, on every machine alike.
  EXPECT_EQ(resolveDataPath("LEVELS/a"), fs::path("Levels/a"));
}

TEST(DataPathTests, MissingPiecesAreKeptAsWrittenForFilesAboutToBeCreated) {
  TempDirectory data;
  data.write("SAV/old.sav", "");
  WorkingDirectory inside(data.path());
  EXPECT_EQ(resolveDataPath("sav\\scores.sav"), fs::path("SAV/scores.sav"));
  EXPECT_EQ(resolveDataPath("new/dir/file"), fs::path("new/dir/file"));
}

TEST(DataPathTests, AbsolutePathsStartAtTheRoot) {
  TempDirectory data;
  data.write("Config/File.txt", "");
  const std::string asked = data.path().string() + "/config/FILE.TXT";
  EXPECT_EQ(resolveDataPath(asked), data.path() / "Config/File.txt");
}
