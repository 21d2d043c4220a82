#include <gtest/gtest.h>

#include <utility>

#include "game/entities/trigger_type_names.h"

// Pairs taken from the level authors' list of trigger types, from every group of numbers,
// with the authors' spelling of 201.
TEST(TriggerTypeNamesTests, KnownTypesAreFoundBothWays) {
  const std::pair<int32_t, std::string_view> known[] = {
      {-1, "Null_a"},
      {0, "To_ice_a"},
      {101, "Sound_stop_1"},
      {201, "Force_instantenous_a"},
      {407, "Mover_goto_start_loop_1"},
      {604, "Camera_shake_a"},
      {702, "Particle_kill_random_a"},
      {901, "Checkpoint_1"},
  };
  for (const auto& [id, name] : known) {
    EXPECT_EQ(triggerTypeName(id), name) << id;
    EXPECT_EQ(triggerTypeId(name), id) << name;
  }
  ASSERT_EQ(kTriggerTypeNames.size(), 36u);
  // A file stores the type as u32; the null type arrives as 0xFFFFFFFF.
  EXPECT_EQ(triggerTypeName(static_cast<int32_t>(0xFFFFFFFFu)), "Null_a");
}

TEST(TriggerTypeNamesTests, UnknownIdsAndInexactNamesAreNotFound) {
  for (const int32_t id : {-2, 6, 99, 102, 204, 400, 411, 500, 605, 703, 800, 802, 900, 902})
    EXPECT_FALSE(triggerTypeName(id)) << id;
  for (const char* name :
       {"", "level_end_a", "LEVEL_END_A", "Level_end_a ", "Level_end", "Force_instantaneous_a"})
    EXPECT_FALSE(triggerTypeId(name)) << name;
}
