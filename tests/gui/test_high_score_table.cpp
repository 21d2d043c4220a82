// The high-score table: where a new score ranks, which bytes are a scores file, and that a save
// killed at any moment leaves one whole table and, after the next save or load, no leftovers.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <random>

#include "game/console/console_output.h"
#include "game/gui/high_score_table.h"
#include "test_support/scoped_environment.h"
#include "test_support/temp_directory.h"

namespace fs = std::filesystem;
using namespace high_scores;
using Entries = std::vector<std::pair<std::string, uint32_t>>;

namespace {

std::string printed;

void fillTable(const std::vector<uint32_t>& scores) {
  resetHighScores();
  for (uint32_t score : scores) insertHighScore(makeHighScoreEntry("old", score));
}

// The table's scores, rank 1 first, and the rank (from 1) of the entry named "new", 0 for none.
std::pair<std::vector<uint32_t>, size_t> scoresAndNewRank() {
  std::pair<std::vector<uint32_t>, size_t> seen;
  for (const HighScoreEntry& entry : highScoreTable()) {
    seen.first.push_back(entry.score);
    if (entry.nameText() == "new") seen.second = seen.first.size();
  }
  return seen;
}

TEST(HighScoreInsertTest, ANewScoreRanksBelowEqualOnesAndPushesTheTenthOut) {
  const std::vector<uint32_t> hundreds(10, 100), ladder = {9, 8, 7, 6, 5, 4, 3, 2, 1, 1};
  const struct {
    std::vector<uint32_t> before;
    uint32_t score;
    std::vector<uint32_t> after;
    size_t rank;  // 0: not taken
  } cases[] = {
      {hundreds, 100, hundreds, 0},
      {{500, 400, 300, 300, 200, 100}, 300, {500, 400, 300, 300, 300, 200, 100, 0, 0, 0}, 5},
      {{}, 1, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 1},
      {ladder, 1, ladder, 0},
      {ladder, 2, {9, 8, 7, 6, 5, 4, 3, 2, 2, 1}, 9},
  };
  for (const auto& test : cases) {
    fillTable(test.before);
    EXPECT_EQ(qualifiesForHighScore(test.score), test.rank != 0) << test.score;
    insertHighScore(makeHighScoreEntry("new", test.score));
    EXPECT_EQ(scoresAndNewRank(), std::pair(test.after, test.rank)) << test.score;
  }
}

// A scores file laid out by hand: the magic's bytes, then each name padded to 24 bytes and its
// score little-endian.
std::string scoresFile(Entries entries, std::string bytes = "\x0F\x23\x31\x12") {
  entries.resize(10);
  for (auto& [name, score] : entries) {
    bytes += name + std::string(24 - name.size(), '\0');
    for (int shift = 0; shift < 32; shift += 8) bytes += char(score >> shift);
  }
  return bytes;
}

std::optional<HighScoreTable> tableOf(Entries entries) {
  HighScoreTable table;
  for (size_t rank = 0; rank < entries.size(); ++rank)
    table[rank] = makeHighScoreEntry(entries[rank].first, entries[rank].second);
  return table;
}

TEST(HighScoreFileTest, OnlyA284ByteFileWithTheMagicIsBelieved) {
  const Entries two = {{"Ann", 0x0A0B0C0D}, {"Bob", 0x0A0B0C00}};
  const std::string valid = scoresFile(two);
  const struct {
    const char* what;
    std::string bytes;
    std::optional<HighScoreTable> table;
  } cases[] = {
      {"valid", valid, tableOf(two)},
      {"byte-swapped magic", scoresFile(two, "\x12\x31\x23\x0F"), std::nullopt},
      {"283 bytes", valid.substr(0, 283), std::nullopt},
      {"285 bytes", valid + '\0', std::nullopt},
      {"unterminated", scoresFile({{std::string(24, 'N'), 1}}),
       tableOf({{std::string(20, 'N'), 1}})},
      {"junk after the name", scoresFile({{std::string("Ann\0junk", 8), 1}}),
       tableOf({{"Ann", 1}})},
      {"out of order", scoresFile({{"a", 5}, {"b", 7}, {"c", 5}, {"d", 7}}),
       tableOf({{"b", 7}, {"d", 7}, {"a", 5}, {"c", 5}})},
  };
  for (const auto& test : cases) EXPECT_EQ(parseHighScores(test.bytes), test.table) << test.what;
}

class HighScoreStorageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetHighScores();
    console::setOutputListener([](std::string_view text) { printed += text; });
  }
  void TearDown() override { console::setOutputListener(nullptr), printed.clear(); }
  fs::path file() const { return data_.path() / "vellmoor/sav/scores.sav"; }
  size_t filesInItsFolder() const {
    return size_t(std::distance(fs::directory_iterator(file().parent_path()), {}));
  }

  TempDirectory data_;
  ScopedEnvironment xdg_{"XDG_DATA_HOME", data_.path().c_str()};
};

TEST_F(HighScoreStorageTest, ASavedTableLoadsBackFromTheUserDataFolder) {
  fillTable({700, 500});
  const HighScoreTable saved = highScoreTable();
  ASSERT_TRUE(saveHighScores());
  EXPECT_EQ(readFileBytes(file()).substr(0, 60),
            scoresFile({{"old", 700}, {"old", 500}}).substr(0, 60));
  resetHighScores();
  loadHighScores();
  EXPECT_EQ(highScoreTable(), saved);
  EXPECT_EQ(printed, "");
}

TEST_F(HighScoreStorageTest, LoadingAnythingButAScoresFileLeavesTheDefaults) {
  std::vector<fs::path> others = data_.notRegularFiles();
  others.push_back(data_.write("big", scoresFile({{"Big", 9}}) + std::string(1 << 20, 'x')));
  fs::create_directories(file().parent_path());
  for (const fs::path& other : others) {
    fs::remove(file());
    fs::create_symlink(other, file());
    fillTable({1});
    loadHighScores();
    EXPECT_EQ(highScoreTable(), defaultHighScoreTable()) << other;
  }
}

TEST_F(HighScoreStorageTest, AFailedSaveNamesTheFile) {
  for (const char* inTheWay : {"vellmoor/sav/scores.sav/x", "vellmoor/sav"}) {
    data_.write(inTheWay, "in the way");
    EXPECT_FALSE(saveHighScores()) << inTheWay;
    EXPECT_EQ(printed, "\nCould not save high scores: " + file().string());
    fs::remove_all(data_.path() / "vellmoor"), printed.clear();
  }
}

// A saver killed at random moments, again and again, between two tables.
TEST_F(HighScoreStorageTest, ASaverKilledAnywhereLeavesOneWholeTable) {
  const HighScoreTable first = defaultHighScoreTable();
  insertHighScore(makeHighScoreEntry("second", 42));
  const HighScoreTable second = highScoreTable();
  ASSERT_TRUE(saveHighScores());
  std::mt19937 random(7);
  int killedMidSave = 0;
  for (int run = 0; run < 100; ++run) {
    int started[2];
    ASSERT_EQ(pipe(started), 0);
    const pid_t saver = fork();
    if (saver == 0) {
      if (write(started[1], "!", 1) != 1) _exit(1);
      for (;;) resetHighScores(), saveHighScores(), insertHighScore(second[0]), saveHighScores();
    }
    char byte = 0;
    ASSERT_EQ(read(started[0], &byte, 1), 1);
    close(started[0]), close(started[1]);
    usleep(useconds_t(random() % 3000));
    kill(saver, SIGKILL);
    waitpid(saver, nullptr, 0);
    const auto onDisk = parseHighScores(readFileBytes(file()));
    ASSERT_TRUE(onDisk == first || onDisk == second) << "run " << run;
    killedMidSave += filesInItsFolder() > 1;
    run % 2 ? loadHighScores() : void(saveHighScores());
    ASSERT_EQ(filesInItsFolder(), 1u) << "run " << run;
  }
  // Most kills land inside a save; a loaded machine shifts the share, so only ask that the case
  // is met often enough to count.
  EXPECT_GT(killedMidSave, 10);
}

}  // namespace
