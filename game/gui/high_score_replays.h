#pragma once
// The replays of the high-score table's runs. The table's own file stays as it is; each
// entry's replay lies beside it as "sav\replays\<rank>-<score>.vrep" (rank 1 the best), so an
// entry finds its replay by its rank and score, and a replay that no longer matches its
// entry's score is never taken for it.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "game/gui/high_score_table.h"

namespace high_score_replays {

// The file of the entry at `rank` (0 the best) with `score`; nothing without a user folder.
std::optional<std::filesystem::path> replayFile(size_t rank, uint32_t score);

// The table `before` has taken an entry of `score` at `rank`: the replays of the entries from
// there move down one rank with them, the last one's goes, and `replay` (the bytes of the new
// entry's run; empty: none) is kept beside the new entry.
void entryInserted(const high_scores::HighScoreTable& before, size_t rank, uint32_t score,
                   std::string_view replay);

}  // namespace high_score_replays
