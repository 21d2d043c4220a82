#pragma once
// The notes the build gathers from the level sources into "lev\levels.json" beside the levels
// (docs/progress_file.md): each level file's readable title, its idea and its par time. The
// game works without them: a missing or damaged index is reported and leaves no notes.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace level_index {

constexpr std::string_view kIndexPath = "lev\\levels.json";
constexpr int kIndexVersion = 1;
// A par beyond a day is no par a level source gives.
constexpr int32_t kMaxParSeconds = 24 * 3600;
constexpr size_t kMaxIndexBytes = 1u << 20;

struct LevelNote {
  std::string title;
  std::string idea;
  int32_t parSeconds = 0;  // 0 when the level has none
  bool operator==(const LevelNote&) const = default;
};

// File name as lower case ("01_first_turn.swah") to its note.
using Index = std::map<std::string, LevelNote>;

// The index `text` holds; nothing when it is no index of this version or a field is of the
// wrong type or out of range.
std::optional<Index> parseIndex(std::string_view text);

// Reads the index from the data folder; a missing or damaged one is reported and leaves none.
void load();
// The levels the index lists, in the order a player meets them (by file name), as the game
// names them ("lev\01_first_turn.swah"); empty without an index.
std::vector<std::string> ladder();
// The note of the level at `levelPath` (any folder, any letter case); nothing without one.
std::optional<LevelNote> of(std::string_view levelPath);

}  // namespace level_index
