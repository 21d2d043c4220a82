// The high-score table: where a new score ranks, which bytes are a scores file, and that a save
// killed at any moment leaves one whole table and, after the next save or load, no leftovers.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <random>

#include "game/console/console_output.h"
#include "game/gui/high_score_table.h"
#include "test_support/scoped_environment.h"
#include "test_support/temp_directory.h"

namespace fs = std::filesystem;
using namespace high_scores;
using Entries = std::vector<std::pair<std::string, uint32_t>>;

namespace {

// The scores from rank 1 on, the entry named "new" marked with a star.
std::string scoresText() {
  std::string text;
  for (const HighScoreEntry& entry : highScoreTable())
    text += std::to_string(entry.score) + (entry.nameText() == "new" ? "* " : " ");
  return text;
}

TEST(HighScoreInsertTest, ANewScoreRanksBelowEqualOnesAndPushesTheTenthOut) {
  const struct {
    std::vector<uint32_t> before;
    uint32_t score;
    const char* after;
  } cases[] = {
      {std::vector<uint32_t>(10, 100), 100, "100 100 100 100 100 100 100 100 100 100 "},
      {{500, 400, 300, 300, 200, 100}, 300, "500 400 300 300 300* 200 100 0 0 0 "},
      {{}, 1, "1* 0 0 0 0 0 0 0 0 0 "},
      {{9, 8, 7, 6, 5, 4, 3, 2, 1, 1}, 2, "9 8 7 6 5 4 3 2 2* 1 "},
  };
  for (const auto& test : cases) {
    resetHighScores();
    for (uint32_t score : test.before) insertHighScore(makeHighScoreEntry("old", score));
    EXPECT_EQ(qualifiesForHighScore(test.score), std::strchr(test.after, '*') != nullptr);
    insertHighScore(makeHighScoreEntry("new", test.score));
    EXPECT_EQ(scoresText(), test.after);
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
      {"out of order", scoresFile({{"a", 5}, {"b", 7}, {"c", 5}}),
       tableOf({{"b", 7}, {"a", 5}, {"c", 5}})},
  };
  for (const auto& test : cases) EXPECT_EQ(parseHighScores(test.bytes), test.table) << test.what;
}

std::string printed;

class HighScoreStorageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetHighScores();
    console::setOutputListener([](std::string_view text) { printed += text; });
  }
  void TearDown() override { console::setOutputListener(nullptr), printed.clear(); }
  fs::path file() const { return data_.path() / "vellmoor/sav/scores.sav"; }

  TempDirectory data_;
  ScopedEnvironment xdg_{"XDG_DATA_HOME", data_.path().c_str()};
};

TEST_F(HighScoreStorageTest, ASavedTableLoadsBackFromTheUserDataFolder) {
  Entries written(10, {"NO NAME", 0});
  written[0] = {"Ann", 700};
  insertHighScore(makeHighScoreEntry("Ann", 700));
  ASSERT_TRUE(saveHighScores());
  EXPECT_EQ(readFileBytes(file()), scoresFile(written));
  resetHighScores();
  loadHighScores();
  EXPECT_EQ(std::optional(highScoreTable()), tableOf(written));
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
  const HighScoreTable first = highScoreTable();
  insertHighScore(makeHighScoreEntry("second", 42));
  const HighScoreTable second = highScoreTable();
  ASSERT_TRUE(saveHighScores());
  const auto filesInFolder = [&] {
    return std::distance(fs::directory_iterator(file().parent_path()), {});
  };
  std::mt19937 random(7);
  int killedMidSave = 0;
  constexpr int kKillsMidSave = 10;
  // Runs go on until enough kills have landed inside a save: how often one does depends on
  // how much slower the rest of the saver's loop is (a sanitized build's is much slower).
  for (int run = 0; run < 1000 && killedMidSave <= kKillsMidSave; ++run) {
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
    kill(saver, SIGKILL), waitpid(saver, nullptr, 0);
    const auto onDisk = parseHighScores(readFileBytes(file()));
    ASSERT_TRUE(onDisk == first || onDisk == second) << "run " << run;
    killedMidSave += filesInFolder() > 1;
    run % 2 ? loadHighScores() : void(saveHighScores());
    ASSERT_EQ(filesInFolder(), 1) << "run " << run;
  }
  EXPECT_GT(killedMidSave, kKillsMidSave);
}

}  // namespace
