// The level progress file: what goes in comes back, a damaged file is kept aside and never
// written over, and each best is only taken by a better run. The level index the build makes.

#include <gtest/gtest.h>

#include <ctime>
#include <set>

#include "common/console_output.h"
#include "game/gui/level_index.h"
#include "game/gui/level_progress.h"
#include "test_support/scoped_environment.h"
#include "test_support/temp_directory.h"

namespace fs = std::filesystem;

namespace {

std::string printed;

class LevelProgressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    progress::reset();
    console::setOutputListener([](std::string_view text) { printed += text; });
  }
  void TearDown() override { console::setOutputListener(nullptr), printed.clear(); }
  fs::path file() const { return data_.path() / "vellmoor/sav/progress.json"; }

  // The contents of every file kept aside beside the progress file.
  std::multiset<std::string> keptAside() const {
    std::multiset<std::string> kept;
    for (const auto& entry : fs::directory_iterator(file().parent_path()))
      if (entry.path().filename().native().starts_with("progress.json.bad-"))
        kept.insert(readFileBytes(entry.path()));
    return kept;
  }

  TempDirectory data_;
  ScopedEnvironment xdg_{"XDG_DATA_HOME", data_.path().c_str()};
};

TEST_F(LevelProgressTest, RecordedRunsLoadBackUnderEitherSeparator) {
  progress::record("lev/01_first_turn.swah", 21400, 97, 4321);
  progress::record("lev\\02_the_long_way_down.swah", 60000, 5, 900);
  const std::string saved = readFileBytes(file());
  progress::reset();
  EXPECT_FALSE(progress::isWon("lev\\01_first_turn.swah"));
  progress::load();
  const std::optional<progress::LevelBest> first = progress::of("lev\\01_first_turn.swah");
  ASSERT_TRUE(first);
  EXPECT_EQ(std::tie(first->timeMs, first->water, first->score), std::tuple(21400u, 97u, 4321u));
  EXPECT_EQ(first->date.size(), 10u);
  EXPECT_TRUE(progress::isWon("lev/02_the_long_way_down.swah"));
  EXPECT_FALSE(progress::isWon("lev\\03_steam_shaft.swah"));
  EXPECT_EQ(progress::serializeProgress(*progress::parseProgress(saved)), saved);
  EXPECT_EQ(printed, "");
}

TEST_F(LevelProgressTest, ADamagedFileIsReportedKeptAsideAndNeverWrittenOver) {
  const std::string level = R"("lev\\a.swah": {"won": true, "bestTimeMs": 5, "mostWater": 1, )";
  const char* damaged[] = {
      "{\"version\": 1, \"levels\": {",
      R"({"version": 2, "levels": {}})",
      R"([1, 2])",
      R"({"version": 1, "levels": {"lev\\a.swah": {"won": "yes"}}})",
  };
  const std::string outOfRange[] = {
      R"({"version": 1, "levels": {)" + level + R"("bestScore": 1e300, "bestDate": ""}}})",
      R"({"version": 1, "levels": {)" + level + R"("bestScore": -3, "bestDate": ""}}})",
      R"({"version": 1, "levels": {)" + level + R"("bestScore": 3, "bestDate": "today"}}})",
  };
  std::vector<std::string> files(std::begin(damaged), std::end(damaged));
  files.insert(files.end(), std::begin(outOfRange), std::end(outOfRange));
  std::multiset<std::string> kept;
  data_.write("vellmoor/sav/progress.json.bad-" + std::to_string(std::time(nullptr)), "older");
  kept.insert("older");
  for (const std::string& bytes : files) {
    printed.clear();
    data_.write("vellmoor/sav/progress.json", bytes);
    progress::load();
    kept.insert(bytes);
    EXPECT_EQ(printed.substr(0, printed.find(';')),
              "\nThe progress file " + file().string() + " holds no progress record of version 1")
        << bytes;
    EXPECT_FALSE(fs::exists(file())) << bytes;
    progress::record("lev\\b.swah", 1, 1, 1);
    EXPECT_TRUE(progress::parseProgress(readFileBytes(file()))) << bytes;
    EXPECT_EQ(keptAside(), kept) << bytes;
  }
}

TEST(LevelProgressBestTest, EachBestIsOnlyTakenByABetterRun) {
  const progress::LevelBest held{true, 20000, 90, 5000, "2026-01-02"};
  const struct {
    uint32_t timeMs, water, score;
    bool time, moreWater, higherScore;
  } cases[] = {
      {20000, 90, 5000, false, false, false},  // equal beats nothing
      {19999, 80, 4000, true, false, false},
      {25000, 91, 4000, false, true, false},
      {25000, 10, 5001, false, false, true},
      {1, 128, 9999, true, true, true},
  };
  for (const auto& test : cases) {
    progress::LevelBest best = held;
    const progress::Beaten beaten = progress::improve(best, test.timeMs, test.water, test.score,
                                                      "2026-03-04");
    EXPECT_EQ(std::tuple(beaten.time, beaten.water, beaten.score),
              std::tuple(test.time, test.moreWater, test.higherScore));
    EXPECT_EQ(best.timeMs, test.time ? test.timeMs : held.timeMs);
    EXPECT_EQ(best.water, test.moreWater ? test.water : held.water);
    EXPECT_EQ(best.score, test.higherScore ? test.score : held.score);
    EXPECT_EQ(best.date, beaten.any() ? "2026-03-04" : held.date);
  }
  progress::LevelBest never;
  EXPECT_TRUE(progress::improve(never, 99999, 0, 0, "2026-03-04").any());
}

TEST(LevelIndexTest, TheBuiltIndexNamesEachLevelFileWithItsNotes) {
  const char* const built = VMR_DATA_DIR "/lev/levels.json";
  const std::optional<level_index::Index> index =
      level_index::parseIndex(readFileBytes(built));
  ASSERT_TRUE(index);
  const level_index::LevelNote first = index->at("01_first_turn.swah");
  EXPECT_EQ(first.title, "First turn");
  EXPECT_GT(first.parSeconds, 0);
  EXPECT_FALSE(first.idea.empty());
  EXPECT_FALSE(level_index::parseIndex(R"({"version": 1, "levels": {"a.swah": )"
                                       R"({"title": "A", "idea": "", "parSeconds": 1e9}}})"));
}

}  // namespace
