// Any bytes as a scores file: reading must never crash, and whatever it believes must be a
// table the game can hold: names terminated and at most 20 characters, scores in order, and
// the same table again when written and read back.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "game/gui/high_score_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace high_scores;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto table = parseHighScores(bytes);
  if (!table) return 0;
  for (size_t rank = 0; rank < kEntryCount; ++rank) {
    const HighScoreEntry& entry = (*table)[rank];
    if (entry.nameText().size() > kMaxNameLength) std::abort();
    if (rank > 0 && (*table)[rank - 1].score < entry.score) std::abort();
  }
  if (parseHighScores(serializeHighScores(*table)) != table) std::abort();
  return 0;
}
