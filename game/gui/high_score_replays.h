#pragma once
// The replays of the high-score table's runs. The table's own file stays as it is; each
// entry's replay lies beside it as "sav\replays\<rank>-<score>.vrep" (rank 1 the best), so an
// entry finds its replay by its rank and score, and a replay that no longer matches its
// entry's score is never taken for it.
//
// A new entry moves the replays below it down one rank. Those that move are first put under
// names no entry looks up ("<rank>-<score>.vrep.staged", with the rank they are going to), the
// table is saved, and only then do they take their new names. So whichever table is on disk
// when the game is killed, a replay under an entry's name is that entry's own; a replay still
// staged is lost and its entry has none. What a killed save leaves (staged and temporary files,
// replays no entry of the saved table names) goes when the folder is next used.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "game/gui/high_score_table.h"

namespace high_score_replays {

// The file of the entry at `rank` (0 the best) with `score`; nothing without a user folder.
// Nothing is created.
std::optional<std::filesystem::path> replayFile(size_t rank, uint32_t score);

// Inserts `entry` into the table (high_scores::insertHighScore), saves the table and keeps
// `replay` (the bytes of the entry's run; empty: none) beside the entry, the replays below it
// moving down with their entries. The rank taken, or nothing (then nothing is written).
std::optional<size_t> insertHighScore(const high_scores::HighScoreEntry& entry,
                                      std::string_view replay);

// Clears away what killed saves left in the replays folder, unless another game is saving
// there at this moment: the game does this at start-up, after loading the table.
void removeLeftovers();

}  // namespace high_score_replays
