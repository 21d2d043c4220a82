// Key names as keys.cfg writes them: the numbered runs end where the keys do, and every name
// reads back in any letter case.

#include <gtest/gtest.h>

#include "common/text.h"
#include "game/platform/key_names.h"
#include "game/platform/virtual_keys.h"

namespace {

using key_names::nameOf;
using key_names::virtualKeyOf;

TEST(KeyNames, RunsEndWhereTheKeysDoAndOtherWordsNameNoKey) {
  const struct {
    const char* name;
    int32_t key;
  } cases[] = {
      {"f", 'F'},
      {"F24", vk::kF1 + 23},
      {"F25", 0},
      {"F0", 0},
      {"F01", 0},
      {"numPAD9", vk::kNumpad0 + 9},
      {"Numpad10", 0},
      {"Numpad", 0},
      {"ENTER", vk::kReturn},
      {"", 0},
      {"Left,Right", 0},
      {"Lefft", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(virtualKeyOf(c.name), c.key) << c.name;
}

TEST(KeyNames, EveryNameReadsBackInAnyCase) {
  for (int32_t key = 1; key < 256; ++key) {
    const std::string name = nameOf(key);
    if (name.empty()) continue;
    EXPECT_EQ(virtualKeyOf(name), key) << name;
    EXPECT_EQ(virtualKeyOf(upperCased(name)), key) << name;
    std::string lower = name;
    toLower(lower);
    EXPECT_EQ(virtualKeyOf(lower), key) << name;
  }
}

}  // namespace
