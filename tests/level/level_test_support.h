#pragma once
// Level tests run in an empty data folder with a fresh console, write their level files
// there and clear the level afterwards.

#include <string>
#include <string_view>
#include <vector>

#include "console/console_test_support.h"
#include "game/level/level_file_format.h"

class LevelTest : public ConsoleTest {
 protected:
  void TearDown() override;
  // Writes the level below the data folder and returns its name.
  std::string writeLevel(const std::string& name, const level_file::LevelFileContents& level);
  std::string writeBytes(const std::string& name, const std::vector<uint8_t>& bytes);
};

// The records of a level source; a source the compiler refuses fails the test.
level_file::LevelFileContents compiledLevel(std::string_view source);

// A closed square outline from (x, y) with side `size`, wound with winding 1.
level_file::PolygonRecord squareRecord(int32_t x, int32_t y, int32_t size, int32_t surface = 3);

// A level with a bit of everything, so that every record kind and field is present.
level_file::LevelFileContents richLevel();
