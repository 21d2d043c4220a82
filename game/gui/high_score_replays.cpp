#include "game/gui/high_score_replays.h"

#include <string>

#include "common/atomic_file.h"
#include "common/user_data_path.h"
#include "game/console/console_output.h"

namespace high_score_replays {

std::optional<std::filesystem::path> replayFile(size_t rank, uint32_t score) {
  return prepareUserDataPath("sav/replays/" + std::to_string(rank + 1) + "-" +
                             std::to_string(score) + ".vrep");
}

void entryInserted(const high_scores::HighScoreTable& before, size_t rank, uint32_t score,
                   std::string_view replay) {
  std::error_code ignored;
  const size_t last = before.size() - 1;
  if (const auto dropped = replayFile(last, before[last].score))
    std::filesystem::remove(*dropped, ignored);
  for (size_t moved = last; moved-- > rank;) {
    const auto from = replayFile(moved, before[moved].score);
    const auto to = replayFile(moved + 1, before[moved].score);
    if (from && to) std::filesystem::rename(*from, *to, ignored);
  }
  if (replay.empty()) return;
  const auto kept = replayFile(rank, score);
  if (!kept || !replaceFileAtomically(*kept, replay))
    console::print("\nCould not keep the run's replay beside its high score.");
}

}  // namespace high_score_replays
