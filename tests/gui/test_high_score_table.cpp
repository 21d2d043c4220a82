// The high-score table: where a new score ranks, which bytes are a scores file, and that a save
// killed at any moment leaves one whole table and, after the next save or load, no leftovers.
// A file the game can't use is kept aside; a killed save leaves each entry its own replay or none.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <ctime>
#include <random>
#include <set>

#include "common/atomic_file.h"
#include "common/console_output.h"
#include "game/gui/high_score_replays.h"
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

TEST(HighScoreFileTest, TheMagicAndTheNext280BytesAreATable) {
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
      {"a newline after it", valid + '\n', tableOf(two)},
      {"unterminated", scoresFile({{std::string(24, 'N'), 1}}),
       tableOf({{std::string(20, 'N'), 1}})},
      {"out of order", scoresFile({{"a", 5}, {"b", 7}, {"c", 5}}),
       tableOf({{"b", 7}, {"a", 5}, {"c", 5}})},
  };
  for (const auto& test : cases) EXPECT_EQ(parseHighScores(test.bytes), test.table) << test.what;
}

std::string printed;

size_t filesIn(const fs::path& folder) {
  std::error_code missing;
  return size_t(std::distance(fs::directory_iterator(folder, missing), {}));
}

// What is at `path`, without following a link or opening a pipe.
std::string describe(const fs::path& path) {
  const fs::file_type type = fs::symlink_status(path).type();
  return type == fs::file_type::regular ? readFileBytes(path) : "type " + std::to_string(int(type));
}

// The bytes kept as an entry's replay here: its name and score, so another's replay shows.
std::string runOf(const HighScoreEntry& entry) {
  return std::string(entry.nameText()) + " " + std::to_string(entry.score);
}

class HighScoreStorageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetHighScores();
    console::setOutputListener([](std::string_view text) { printed += text; });
  }
  void TearDown() override { console::setOutputListener(nullptr), printed.clear(); }
  fs::path file() const { return data_.path() / "vellmoor/sav/scores.sav"; }
  fs::path replays() const { return file().parent_path() / "replays"; }

  // What is kept aside beside the scores file.
  std::multiset<std::string> keptAside() const {
    std::multiset<std::string> kept;
    for (const auto& entry : fs::directory_iterator(file().parent_path()))
      if (entry.path().filename().native().starts_with("scores.sav.bad-"))
        kept.insert(describe(entry.path()));
    return kept;
  }

  // The saved table's entries whose replay holds the entry's own run.
  size_t ownReplays() const {
    const auto saved = parseHighScores(readFileBytes(file()));
    size_t own = 0;
    for (size_t rank = 0; saved && rank < kEntryCount; ++rank) {
      const fs::path replay = *high_score_replays::replayFile(rank, (*saved)[rank].score);
      own += fs::exists(replay) && readFileBytes(replay) == runOf((*saved)[rank]);
    }
    return own;
  }

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

// What the game can't use is reported at load and moved aside (not by the load itself) at the
// first save, never over what was kept aside before. Tests run as root, who reads a file of
// mode 000, so a folder, a pipe and a link to itself stand for a file that can't be read.
TEST_F(HighScoreStorageTest, AFileTheGameCantUseIsReportedAndKeptAsideAtTheFirstSave) {
  const std::string ann = scoresFile({{"Ann", 700}});
  const struct {
    const char* what;
    std::string bytes;
    void (*make)(const fs::path&);
    const char* said;  // after the file's name; nothing for a table or a missing file
  } cases[] = {
      {"a newline after a table", ann + '\n', nullptr, nullptr},
      {"no magic", scoresFile({{"Ann", 700}}, "VREP"), nullptr, "holds no high-score table"},
      {"a folder", "", [](const fs::path& at) { fs::create_directory(at); }, "can't be read"},
      {"a pipe", "", [](const fs::path& at) { mkfifo(at.c_str(), 0600); }, "can't be read"},
      {"a link to itself", "", [](const fs::path& at) { fs::create_symlink(at.filename(), at); },
       "can't be read"},
      {"missing", "", [](const fs::path&) {}, nullptr},
  };
  for (const auto& test : cases) {
    fs::remove_all(data_.path() / "vellmoor"), printed.clear();
    std::multiset<std::string> kept;
    for (std::time_t now = std::time(nullptr), t = now; t < now + 5; ++t, kept.insert("older"))
      data_.write("vellmoor/sav/scores.sav.bad-" + std::to_string(t), "older");
    test.make ? test.make(file()) : void(data_.write("vellmoor/sav/scores.sav", test.bytes));
    if (test.said) kept.insert(describe(file()));
    loadHighScores();
    EXPECT_EQ(printed.substr(0, printed.find(';')),
              test.said ? "\nThe high-score file " + file().string() + " " + test.said : "")
        << test.what;
    EXPECT_EQ(keptAside().size(), 5u) << test.what;
    EXPECT_EQ(highScoreTable()[0].score, test.bytes == ann + '\n' ? 700u : 0u) << test.what;
    ASSERT_TRUE(saveHighScores()) << test.what;
    EXPECT_EQ(keptAside(), kept) << test.what;
  }
}

// Nothing is a leftover while another game holds the replays folder; look-alikes always stay.
TEST_F(HighScoreStorageTest, ReplayLeftoversGoOnlyWhileNobodySaves) {
  for (const char* name : {"1-0.vrep.tmp-12-3", "1-0.vrep.staged", "2-9.vrep", "1-0.vrep.tmp-x"})
    data_.write("vellmoor/sav/replays/" + std::string(name), "x");
  std::optional<FolderLock> otherGame(std::in_place, replays(), FolderLock::Wait::kNo);
  high_score_replays::removeLeftovers();
  EXPECT_EQ(filesIn(replays()), 4u);
  otherGame.reset(), high_score_replays::removeLeftovers();
  EXPECT_EQ(filesIn(replays()), 1u);  // "1-0.vrep.tmp-x"
}

// Runs `saver` in a child process, which calls the function it is given once it is under way,
// and kills it `delay` microseconds after that.
template <typename Saver>
void killWhileSaving(Saver saver, useconds_t delay) {
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  if (child == 0) {
    saver([&] {
      if (write(ready[1], "!", 1) != 1) _exit(1);
    });
    _exit(0);
  }
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  close(ready[0]), close(ready[1]);
  usleep(delay);
  kill(child, SIGKILL), waitpid(child, nullptr, 0);
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
    ASSERT_NO_FATAL_FAILURE(killWhileSaving(
        [&](auto underWay) {
          underWay();
          for (;;)
            resetHighScores(), saveHighScores(), insertHighScore(second[0]), saveHighScores();
        },
        useconds_t(random() % 3000)));
    const auto onDisk = parseHighScores(readFileBytes(file()));
    ASSERT_TRUE(onDisk == first || onDisk == second) << "run " << run;
    killedMidSave += filesInFolder() > 1;
    run % 2 ? loadHighScores() : void(saveHighScores());
    ASSERT_EQ(filesInFolder(), 1) << "run " << run;
  }
  EXPECT_GT(killedMidSave, kKillsMidSave);
}

// The same with replays: entries with equal scores side by side move down past a new one, and
// the tenth drops out. Wherever the kill lands, each entry of the saved table has its own run
// or none; once the game has started again, no other file is left in the replays folder.
TEST_F(HighScoreStorageTest, ASaverKilledAnywhereLeavesEachEntryItsOwnReplayOrNone) {
  ASSERT_TRUE(saveHighScores());
  std::mt19937 random(11);
  int killedMidSave = 0;
  constexpr int kKillsMidSave = 10;
  for (int run = 0; run < 1000 && killedMidSave <= kKillsMidSave; ++run) {
    // Each run goes on from the table the last one left, and is under way once an entry is in.
    const auto saver = [run](auto underWay) {
      constexpr uint32_t kScores[] = {300, 300, 500, 300, 400, 300, 100, 500, 300, 300, 200, 600};
      loadHighScores();
      for (int i = run * 3;; ++i) {
        if (i % 12 == 0) resetHighScores(), saveHighScores(), high_score_replays::removeLeftovers();
        const HighScoreEntry entry = makeHighScoreEntry("e" + std::to_string(i), kScores[i % 12]);
        high_score_replays::insertHighScore(entry, runOf(entry));
        if (i == run * 3) underWay();
      }
    };
    // A save with its replays takes several syncs.
    ASSERT_NO_FATAL_FAILURE(killWhileSaving(saver, useconds_t(random() % 20000)));
    killedMidSave += filesIn(replays()) > ownReplays() || filesIn(file().parent_path()) > 2;
    loadHighScores(), high_score_replays::removeLeftovers();
    ASSERT_EQ(filesIn(replays()), ownReplays()) << "run " << run << ": a leftover or another's run";
  }
  EXPECT_GT(killedMidSave, kKillsMidSave);
}

}  // namespace
