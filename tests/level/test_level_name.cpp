// Level names as the chooser and the loading screen show them.

#include "game/level/level_name.h"

#include <gtest/gtest.h>

namespace {

TEST(LevelNameTest, ReadsTheFileNameAsWords) {
  const std::pair<const char*, const char*> cases[] = {
      {"lev\\03_heat_and_steam.swah", "Heat and steam"},
      {"lev/12-Finale.swah", "Finale"},
      {"testLevel.swah", "Test level"},
      {"lev\\zenith.swah", "Zenith"},
      {"lev\\2048.swah", "2048"},           // a number alone is the name
      {"lev\\07_.swah", "07_"},             // nothing after the number: the file name stands
      {"lev\\v2_tower.swah", "V2 tower"},   // a number that doesn't lead is kept
      {"lev\\.swah", ".swah"},
  };
  for (const auto& [path, name] : cases) EXPECT_EQ(readableLevelName(path), name) << path;
}

}  // namespace
