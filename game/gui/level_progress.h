#pragma once
// What the player has done on each level: won or not, and the best time, the most water kept
// and the best score, each with its own record. Kept in "sav\progress.json" in the per-user
// data folder (docs/progress_file.md), written whole after every won level. A file that can't
// be used is reported and moved aside as "progress.json.bad-<seconds since 1970>", never
// written over; play then goes on from an empty record. No window, sound or GL here.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace progress {

// Relative to the per-user data folder (common/user_data_path.h).
constexpr std::string_view kFileName = "sav\\progress.json";
constexpr int kFileVersion = 1;
// Larger numbers are no run the game can make: the file was edited or damaged.
constexpr uint32_t kMaxTimeMs = 100u * 3600u * 1000u;
constexpr uint32_t kMaxWater = 1000000u;
constexpr uint32_t kMaxScore = 100000000u;
// A record of every level is a few kilobytes; anything far larger is no progress file.
constexpr size_t kMaxFileBytes = 4u << 20;

struct LevelBest {
  bool won = false;
  uint32_t timeMs = 0;
  uint32_t water = 0;
  uint32_t score = 0;
  std::string date;  // "YYYY-MM-DD" of the last best taken
  bool operator==(const LevelBest&) const = default;
};

// Which of a run's results replaced the level's best.
struct Beaten {
  bool time = false;
  bool water = false;
  bool score = false;
  bool any() const { return time || water || score; }
};

// Level path ("lev\01_first_turn.swah", "/" read as "\") to its bests.
using Record = std::map<std::string, LevelBest>;

// The record `text` holds when it is a progress file of this version whose every number is in
// range; nothing otherwise.
std::optional<Record> parseProgress(std::string_view text);
std::string serializeProgress(const Record& record);

// Takes each of the run's results that beats `best` (a lower time, more water, a higher
// score; the first win beats everything) and marks the level won. `date` is taken along when
// anything was beaten.
Beaten improve(LevelBest& best, uint32_t timeMs, uint32_t water, uint32_t score,
               std::string_view date);

// The record from the file; a file that can't be used is reported and moved aside.
void load();
// A won run of `levelPath`: the bests it beats are taken and the file is written at once
// (a failed write is reported; the record in memory keeps the run).
Beaten record(std::string_view levelPath, uint32_t timeMs, uint32_t water, uint32_t score);
// The level's bests; nothing when it was never won.
std::optional<LevelBest> of(std::string_view levelPath);
bool isWon(std::string_view levelPath);
// An empty record, as before loading (for tests).
void reset();

}  // namespace progress
