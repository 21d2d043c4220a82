#include <gtest/gtest.h>

#include <set>

#include "game/entities/trigger_type_names.h"

TEST(TriggerTypeNamesTests, EveryEntryIsFoundBothWays) {
  std::set<std::string_view> names;
  for (const TriggerTypeName& type : kTriggerTypeNames) {
    EXPECT_EQ(triggerTypeName(type.id), type.name);
    EXPECT_EQ(triggerTypeId(type.name), type.id);
    EXPECT_TRUE(names.insert(type.name).second) << type.name << " appears twice";
  }
}

TEST(TriggerTypeNamesTests, TableEndsAndOddSpellingsAreKept) {
  ASSERT_EQ(kTriggerTypeNames.size(), 36u);
  EXPECT_EQ(kTriggerTypeNames.front().id, -1);
  EXPECT_EQ(kTriggerTypeNames.back().id, 901);
  EXPECT_EQ(triggerTypeName(-1), "Null_a");
  EXPECT_EQ(triggerTypeName(201), "Force_instantenous_a");
  EXPECT_EQ(triggerTypeName(801), "Level_end_a");
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
