#include "game/gui/high_score_replays.h"

#include <unistd.h>

#include <charconv>
#include <string>
#include <system_error>
#include <vector>

#include "common/atomic_file.h"
#include "common/console_output.h"
#include "common/user_data_path.h"

namespace fs = std::filesystem;

namespace high_score_replays {
namespace {

constexpr std::string_view kFolder = "sav/replays";
constexpr std::string_view kStaged = ".staged";

std::string replayName(size_t rank, uint32_t score) {
  return std::to_string(rank + 1) + "-" + std::to_string(score) + ".vrep";
}

std::string inFolder(std::string_view name) {
  return std::string(kFolder) + "/" + std::string(name);
}

std::optional<fs::path> replaysFolder(bool create) {
  const std::string anyReplay = inFolder(replayName(0, 0));
  const auto file = create ? prepareUserDataPath(anyReplay) : userDataPath(anyReplay);
  if (!file) return std::nullopt;
  return file->parent_path();
}

struct RankAndScore {
  size_t rank = 0;
  uint32_t score = 0;
};

// Only the names replayName gives, so a file of any other name is never taken for a replay.
std::optional<RankAndScore> parseReplayName(std::string_view name) {
  RankAndScore parsed;
  const char* end = name.data() + name.size();
  const auto rank = std::from_chars(name.data(), end, parsed.rank);
  if (rank.ec != std::errc() || rank.ptr == end || *rank.ptr != '-' || parsed.rank == 0)
    return std::nullopt;
  if (std::from_chars(rank.ptr + 1, end, parsed.score).ec != std::errc()) return std::nullopt;
  parsed.rank -= 1;
  if (replayName(parsed.rank, parsed.score) != name) return std::nullopt;
  return parsed;
}

// A replay is kept while the saved table has an entry of its rank and score. With a scores
// file that can't be read, only staged replays go: the others may still belong to it.
bool isLeftover(std::string name, const std::optional<high_scores::HighScoreTable>& saved) {
  const bool staged = name.ends_with(kStaged);
  if (staged) name.resize(name.size() - kStaged.size());
  const std::optional<RankAndScore> replay = parseReplayName(name);
  if (!replay) return false;
  if (staged) return true;
  return saved && (replay->rank >= saved->size() || (*saved)[replay->rank].score != replay->score);
}

// Only under the folder's lock, which every writer of the folder holds.
void removeLeftoversLocked(const fs::path& folder) {
  removeLeftoverTemporaryFilesIn(folder);
  const std::optional<high_scores::HighScoreTable> saved = high_scores::savedHighScoreTable();
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (isLeftover(it->path().filename().native(), saved)) ::unlink(it->path().c_str());
  }
}

struct StagedReplay {
  fs::path staged;
  fs::path final;
};

StagedReplay stagedAs(const fs::path& folder, size_t rank, uint32_t score) {
  const fs::path final = folder / replayName(rank, score);
  return {fs::path(final) += kStaged, final};
}

// While `before`, the table without the entry at `rank`, is still the saved one: the last
// entry's replay goes, the replays from `rank` on are staged under the ranks they move to, and
// `replay` is written staged for the new entry. Staged names are looked up by no entry of
// either table.
std::vector<StagedReplay> stageReplays(const fs::path& folder,
                                       const high_scores::HighScoreTable& before,
                                       const high_scores::HighScoreTable& after, size_t rank,
                                       std::string_view replay) {
  std::vector<StagedReplay> staged;
  const size_t last = before.size() - 1;
  ::unlink((folder / replayName(last, before[last].score)).c_str());
  for (size_t moved = rank; moved < last; ++moved) {
    StagedReplay move = stagedAs(folder, moved + 1, before[moved].score);
    const fs::path from = folder / replayName(moved, before[moved].score);
    if (::rename(from.c_str(), move.staged.c_str()) == 0) staged.push_back(std::move(move));
  }
  // The entries' own replays are staged now: what still has a name the new table looks up
  // from `rank` on (left by a table the game couldn't read) belongs to none of them.
  for (size_t moved = rank; moved <= last; ++moved)
    ::unlink((folder / replayName(moved, after[moved].score)).c_str());
  if (!replay.empty()) {
    StagedReplay kept = stagedAs(folder, rank, after[rank].score);
    if (replaceFileAtomically(kept.staged, replay))
      staged.push_back(std::move(kept));
    else
      console::print("\nCould not keep the run's replay beside its high score.");
  }
  // The table must not reach the disk before the replays have left their old names.
  syncFolder(folder);
  return staged;
}

}  // namespace

std::optional<fs::path> replayFile(size_t rank, uint32_t score) {
  return userDataPath(inFolder(replayName(rank, score)));
}

std::optional<size_t> insertHighScore(const high_scores::HighScoreEntry& entry,
                                      std::string_view replay) {
  const high_scores::HighScoreTable before = high_scores::highScoreTable();
  const std::optional<size_t> rank = high_scores::insertHighScore(entry);
  if (!rank) return rank;
  const std::optional<fs::path> folder = replaysFolder(true);
  if (!folder) {
    high_scores::saveHighScores();
    if (!replay.empty()) console::print("\nCould not keep the run's replay beside its high score.");
    return rank;
  }
  const FolderLock lock(*folder, FolderLock::Wait::kUntilFree);
  if (lock.held()) removeLeftoversLocked(*folder);
  const std::vector<StagedReplay> staged =
      stageReplays(*folder, before, high_scores::highScoreTable(), *rank, replay);
  // Unsaved, the table on disk is still the one before, whose entries from `rank` on have
  // lost their replays to the staging; those above keep theirs under either table.
  const bool saved = high_scores::saveHighScores();
  for (const StagedReplay& move : staged) {
    if (!saved || ::rename(move.staged.c_str(), move.final.c_str()) != 0)
      ::unlink(move.staged.c_str());
  }
  syncFolder(*folder);
  return rank;
}

void removeLeftovers() {
  const std::optional<fs::path> folder = replaysFolder(false);
  if (!folder) return;
  const FolderLock lock(*folder, FolderLock::Wait::kNo);
  if (lock.held()) removeLeftoversLocked(*folder);
}

}  // namespace high_score_replays
